#pragma once

#include "model/ports/dialogs.h"

#include <QList>
#include <QPoint>
#include <QString>
#include <QStringList>
#include <deque>
#include <functional>
#include <optional>

namespace gakunen {

// Dialogs answered from queues, for tests and scenarios. Nothing blocks: a
// dialog that finds no answer waiting is cancelled and noted as a failure.
class ScriptedDialogs : public Dialogs {
 public:
  struct Message {
    QString text;
    QString title;
  };
  struct Prompt {
    QString prompt;
    QString title;
    std::optional<QPoint> position;
    QString answer;
  };
  struct FileRequest {
    bool save = false;
    QString title;
    FileDialogSettings settings;
    QString answer;
  };
  // Counts of everything seen so far, to ask later what came after it.
  struct Mark {
    qsizetype messages = 0;
    qsizetype prompts = 0;
    qsizetype files = 0;
    qsizetype questions = 0;
  };

  // Answers, taken in order. One file queue serves open and save dialogs.
  void queueFile(const QString& path);
  void queueFileCancel();
  void queueAnswer(const QString& text);
  void queueAnswerCancel();
  void queueConfirm(bool yes);

  void message(const QString& text, const QString& title = {}) override;
  QString input(const QString& prompt, const QString& title = {},
                std::optional<QPoint> position = std::nullopt) override;
  QString openFile(const FileDialogSettings& settings, const QString& title) override;
  QString saveFile(const FileDialogSettings& settings, const QString& title) override;
  bool question(const QString& text, const QString& title = {}) override;

  const QList<Message>& messages() const { return messages_; }
  const QList<Prompt>& prompts() const { return prompts_; }
  const QList<FileRequest>& fileRequests() const { return files_; }
  const QList<Message>& questions() const { return questions_; }

  Mark mark() const;
  QList<Message> messagesSince(const Mark& mark) const;
  QStringList messageTextsSince(const Mark& mark) const;
  QStringList promptsSince(const Mark& mark) const;  // the prompt texts
  QList<FileRequest> fileRequestsSince(const Mark& mark) const;
  QStringList questionsSince(const Mark& mark) const;

  // Dialogs that came without an answer waiting, oldest first:
  // "unexpected input box: PROMPT", "unexpected file dialog: TITLE",
  // "unexpected question: TEXT".
  bool hasFailure() const { return !failures_.isEmpty(); }
  QString takeFailure();  // the oldest one, "" when there is none
  QStringList takeFailures();

  // Answers queued but not (yet) asked for.
  int pendingFiles() const { return static_cast<int>(files_queue_.size()); }
  int pendingAnswers() const { return static_cast<int>(answers_.size()); }
  int pendingConfirms() const { return static_cast<int>(confirms_.size()); }
  // "2 input answers, 1 file" for a report; "" when every answer was used.
  QString pendingDescription() const;

  // Forgets the queues, what was seen and the failures.
  void clear();

  // Called with one line for every dialog shown ("message: TEXT",
  // "input: PROMPT -> ANSWER", ...), for a scenario's log.
  void setTrace(std::function<void(const QString&)> trace) { trace_ = std::move(trace); }

 private:
  QString file(const FileDialogSettings& settings, const QString& title, bool save);
  void trace(const QString& line) const;

  std::deque<std::optional<QString>> files_queue_;
  std::deque<std::optional<QString>> answers_;
  std::deque<bool> confirms_;
  QList<Message> messages_;
  QList<Prompt> prompts_;
  QList<FileRequest> files_;
  QList<Message> questions_;
  QStringList failures_;
  std::function<void(const QString&)> trace_;
};

}  // namespace gakunen
