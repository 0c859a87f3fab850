#pragma once

class CCorvaneDlg;

// The main window's macro button: runs the macro manager modally over the window, then
// takes the library back from its file and, when a button of the current profile plays a
// macro, sends the profile so that the mouse gets the edited macros.
void RunMacroManager(CCorvaneDlg& window);
