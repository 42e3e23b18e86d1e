#pragma once
// Cells of the program's CSV files, made for the engineer's Excel on a
// Russian workstation: ";" between cells (the Russian list separator) and a
// decimal comma whatever the locale of the machine that wrote the file,
// without digit grouping, so the cells read as numbers. The files
// themselves are Windows-1251 with CR LF like every text file of the
// program.

#include <QString>
#include <QStringList>

// The value with `decimals` places, or with up to 15 significant digits
// when `decimals` is negative; an empty cell for a value that is no finite
// number (a gap).
QString CsvNumber(double value, int decimals = -1);

// The cells joined by ";"; a cell holding ";", a quote or a line break is
// quoted, its quotes doubled.
QString CsvRow(const QStringList &cells);
