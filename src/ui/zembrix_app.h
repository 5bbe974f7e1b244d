// The application object: starts the main dialog and ends with it.
#pragma once

class UserPrompts;

class CZembrixApp {
 public:
  // Runs the main dialog modally; returns false, after which the program ends.
  // Needs a QApplication; prompts stand in for Qt's own dialogs in tests.
  bool InitInstance();
  bool InitInstance(UserPrompts& prompts);
};
