#pragma once

#include <QString>

class QAction;
class QMainWindow;

// Keyboard access to the menu bar: Alt pressed and released or F10 puts the
// keyboard in the bar, Alt + a caption's access key opens that menu or runs
// that command; the access key's underline shows only while Alt is held, so
// the captions read as they always have.
void InstallMenuKeys(QMainWindow& window);

// A caption as shown: without the mark (&) before its access key.
QString shownCaption(const QString& text);
QString shownCaption(const QAction* action);
