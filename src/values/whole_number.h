#pragma once
// How the program reads a whole number the operator typed into a field
// with limits: text that is not a whole number counts as the minimum, and
// a number outside the limits is pulled to the nearer limit.

#include <QString>

// The whole number a text stands for within min..max: not a whole number ->
// min; above max -> max; below min -> min.
int WholeNumberInLimits(const QString &text, int max, int min);
