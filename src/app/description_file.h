#pragma once
// A value's descriptor kept in its INI file (its FileName, its Section).

class TDescriptionOfCustomValue;

// Reads every key with the present field as default.
void LoadDescription(TDescriptionOfCustomValue &description);
// Creates the file when missing, then writes the keys, base keys first,
// leaving every other section of the file as it was. False when the file
// cannot be written.
bool SaveDescription(const TDescriptionOfCustomValue &description);
