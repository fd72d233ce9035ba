#pragma once

class QLineEdit;
class QWidget;

namespace gakunen {

class AppContext;
class Screen;

// Asks for a class and an attendance number and makes that student's row
// the one the screen's next typed entry goes to (CurrentRow). When the row
// is found, the screen's entry field `entry` ("Text1") and its button
// `button` ("Command2") are enabled, the focus goes to the entry field and
// true is returned. An empty answer changes nothing; an answer that is not
// a number, or a student who is not in the table, is reported in a message
// and changes nothing either.
bool AskStartPosition(AppContext& app, Screen& screen, QLineEdit& entry, QWidget& button);

}  // namespace gakunen
