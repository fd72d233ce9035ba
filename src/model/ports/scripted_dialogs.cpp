#include "model/ports/scripted_dialogs.h"

namespace gakunen {

void ScriptedDialogs::queueFile(const QString& path) { files_queue_.emplace_back(path); }
void ScriptedDialogs::queueFileCancel() { files_queue_.emplace_back(std::nullopt); }
void ScriptedDialogs::queueAnswer(const QString& text) { answers_.emplace_back(text); }
void ScriptedDialogs::queueAnswerCancel() { answers_.emplace_back(std::nullopt); }
void ScriptedDialogs::queueConfirm(bool yes) { confirms_.push_back(yes); }

void ScriptedDialogs::trace(const QString& line) const {
  if (trace_) trace_(line);
}

void ScriptedDialogs::message(const QString& text, const QString& title) {
  messages_.append({text, title});
  trace(QStringLiteral("message: ") + text);
}

QString ScriptedDialogs::input(const QString& prompt, const QString& title, std::optional<QPoint> position) {
  Prompt seen{prompt, title, position, {}};
  if (answers_.empty()) {
    failures_.append(QStringLiteral("unexpected input box: ") + prompt);
    trace(QStringLiteral("input: ") + prompt + QStringLiteral(" -> (no answer queued)"));
  } else {
    seen.answer = answers_.front().value_or(QString());
    const bool cancelled = !answers_.front().has_value();
    answers_.pop_front();
    trace(QStringLiteral("input: ") + prompt + QStringLiteral(" -> ") +
          (cancelled ? QStringLiteral("(cancel)") : seen.answer));
  }
  prompts_.append(seen);
  return seen.answer;
}

QString ScriptedDialogs::file(const FileDialogSettings& settings, const QString& title, bool save) {
  FileRequest seen{save, title, settings, {}};
  const QString kind = save ? QStringLiteral("save file: ") : QStringLiteral("open file: ");
  if (files_queue_.empty()) {
    failures_.append(QStringLiteral("unexpected file dialog: ") + title);
    trace(kind + title + QStringLiteral(" -> (no file queued)"));
  } else {
    seen.answer = files_queue_.front().value_or(QString());
    const bool cancelled = !files_queue_.front().has_value();
    files_queue_.pop_front();
    trace(kind + title + QStringLiteral(" -> ") + (cancelled ? QStringLiteral("(cancel)") : seen.answer));
  }
  files_.append(seen);
  return seen.answer;
}

QString ScriptedDialogs::openFile(const FileDialogSettings& settings, const QString& title) {
  return file(settings, title, false);
}

QString ScriptedDialogs::saveFile(const FileDialogSettings& settings, const QString& title) {
  return file(settings, title, true);
}

bool ScriptedDialogs::question(const QString& text, const QString& title) {
  questions_.append({text, title});
  if (confirms_.empty()) {
    failures_.append(QStringLiteral("unexpected question: ") + text);
    trace(QStringLiteral("question: ") + text + QStringLiteral(" -> (no answer queued)"));
    return false;
  }
  const bool yes = confirms_.front();
  confirms_.pop_front();
  trace(QStringLiteral("question: ") + text + (yes ? QStringLiteral(" -> yes") : QStringLiteral(" -> no")));
  return yes;
}

ScriptedDialogs::Mark ScriptedDialogs::mark() const {
  return {messages_.size(), prompts_.size(), files_.size(), questions_.size()};
}

QList<ScriptedDialogs::Message> ScriptedDialogs::messagesSince(const Mark& mark) const {
  return messages_.mid(std::min(mark.messages, messages_.size()));
}

QStringList ScriptedDialogs::messageTextsSince(const Mark& mark) const {
  QStringList out;
  for (const Message& m : messagesSince(mark)) out << m.text;
  return out;
}

QStringList ScriptedDialogs::promptsSince(const Mark& mark) const {
  QStringList out;
  for (qsizetype i = std::min(mark.prompts, prompts_.size()); i < prompts_.size(); ++i) out << prompts_[i].prompt;
  return out;
}

QList<ScriptedDialogs::FileRequest> ScriptedDialogs::fileRequestsSince(const Mark& mark) const {
  return files_.mid(std::min(mark.files, files_.size()));
}

QStringList ScriptedDialogs::questionsSince(const Mark& mark) const {
  QStringList out;
  for (qsizetype i = std::min(mark.questions, questions_.size()); i < questions_.size(); ++i) out << questions_[i].text;
  return out;
}

QString ScriptedDialogs::takeFailure() { return failures_.isEmpty() ? QString() : failures_.takeFirst(); }

QStringList ScriptedDialogs::takeFailures() {
  QStringList out;
  out.swap(failures_);
  return out;
}

QString ScriptedDialogs::pendingDescription() const {
  QStringList parts;
  if (!answers_.empty()) parts << QStringLiteral("%1 input answer(s)").arg(answers_.size());
  if (!files_queue_.empty()) parts << QStringLiteral("%1 file(s)").arg(files_queue_.size());
  if (!confirms_.empty()) parts << QStringLiteral("%1 question answer(s)").arg(confirms_.size());
  return parts.join(QStringLiteral(", "));
}

void ScriptedDialogs::clear() {
  files_queue_.clear();
  answers_.clear();
  confirms_.clear();
  messages_.clear();
  prompts_.clear();
  files_.clear();
  questions_.clear();
  failures_.clear();
}

}  // namespace gakunen
