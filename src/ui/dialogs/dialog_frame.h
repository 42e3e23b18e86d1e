#pragma once
// What every small dialog of the program shares: an "OK" button that Enter
// presses, a cancel button "Отменить", a border that does not resize, and a
// place in the middle of the screen.

#include <QDialog>
#include <QPushButton>

QPushButton *AddOkButton(QDialog &dialog);
QPushButton *AddCancelButton(QDialog &dialog);
// A button's width: its text's, and never narrower than the workstations'
// 75-pixel buttons.
int ButtonWidth(const QPushButton &button);
// The width of a value field in the input dialogs, as on the workstations.
constexpr int ValueFieldWidth = 121;
// Fixes the window's size to clientSize and centres it on the screen.
void FixAndCentre(QWidget &window, const QSize &clientSize);
