#include "app/description_file.h"

#include "app/ini_file.h"
#include "values/descriptions.h"

void LoadDescription(TDescriptionOfCustomValue &description)
{
    const TIniFile ini(description.FileName);
    description.LoadFrom(ini);
}

bool SaveDescription(const TDescriptionOfCustomValue &description)
{
    // TIniFile creates a missing file when it writes it back.
    TIniFile ini(description.FileName);
    description.SaveTo(ini);
    return ini.UpdateFile();
}
