#include "ui/windows/parameter_texts.h"

#include "device/parameter_table.h"
#include "values/descriptions.h"
#include "values/float_format.h"

#include <cstring>

// The rows name only the members that differ from their defaults; GCC 12
// warns about every member a designated initializer leaves out.
#pragma GCC diagnostic ignored "-Wmissing-field-initializers"

namespace {

using I = TParameterInput;
using P = TParameterPlace;

// The tank's dimensions and the current level: up to 10 significant digits.
constexpr TParameterView millimetres(const char *label)
{
    return {label, "мм", true, 1, 10};
}

// The view in its group of the parameters window.
constexpr TParameterView at(P place, int order, TParameterView view, bool lineBefore = false)
{
    view.Place = place;
    view.Order = order;
    view.LineBefore = lineBefore;
    return view;
}

// clang-format off
const TParameterTexts Rows[] = {
    {.Name = "SystemAddress", .Change = {"Системный адрес", I::Integer, "Системный адрес"},
     .View = at(P::Modification, 2, {"Системный адрес"})},
    {.Name = "PlantNumber", .Change = {"Заводской номер", I::Integer, "Заводской номер [0..65535]"},
     .View = at(P::Modification, 1, {"Заводской номер"})},
    {.Name = "Hmax", .ReadCaption = "Считать Hmax", .WriteCaption = "Записать Hmax ",
     .Change = {"H max", I::Double, "Высоту резервуара относительно монтажного фланца H max, мм", 0},
     .View = at(P::Tank, 1, millimetres("Hmax"))},
    {.Name = "Lmax", .ReadCaption = "Считать Hу max ", .WriteCaption = "Записать Hу max ",
     .Change = {"Hу max", I::Double, "Максимальный измеряемый уровень Hу max, мм", 0},
     .View = at(P::Tank, 2, millimetres("Hу max"))},
    {.Name = "KKalman", .ReadCaption = "Считать коэффициент сглаживания",
     .WriteCaption = "Записать коэффициент сглаживания",
     .Change = {"Коэффициент сглаживания", I::Double, "Коэффициент сглаживания (от 0.01 до 1.00)", 2},
     .View = at(P::Smoothing, 1, {"Коэффициент сглаживания", nullptr, true, 2})},
    {.Name = "ODPM", .ReadCaption = "Считать относительную диэлектрическую проницаемость материала",
     .WriteCaption = "Записать относительную диэлектрическую проницаемость материала",
     .Change = {"Относительная диэлектрическая проницаемость материала", I::Double, "Относительная диэлектрическая проницаемость материала [1 ... 100]", 1},
     .View = at(P::Material, 1, {"Относительная диэлектрическая проницаемость материала", nullptr, true, 1})},
    {.Name = "KrPer", .ReadCaption = "Считать крутизну характеристики преобразования",
     .WriteCaption = "Записать крутизну характеристики преобразования",
     .Change = {"Крутизна характеристики преобразования", I::Double, "Крутизну характеристики преобразования", 3},
     .View = at(P::Factory, 1, {"Крутизна характеристики преобразования", nullptr, true, 5})},
    {.Name = "SmPer", .ReadCaption = "Считать смещение нуля", .WriteCaption = "Записать смещение нуля",
     .Change = {"Смещение нуля", I::Double, "Смещение нуля", 3},
     .View = at(P::Factory, 2, {"Смещение нуля", nullptr, true, 5})},
    {.Name = "ProgramType", .ReadCaption = "Считать тип прибора", .WriteCaption = "Записать тип прибора",
     .Change = {"Тип прибора", I::List, "Тип прибора"}},
    {.Name = "Speed", .ReadCaption = "Считать скорость изменения уровня продукта",
     .WriteCaption = "Записать скорость изменения уровня продукта",
     .Change = {"Скорость изменения уровня продукта", I::Double, "Скорость изменения уровня продукта", 3, true},
     .View = at(P::TimeFilter, 1, {"Скорость изменения уровня продукта", "мм/с", true, 3})},
    {.Name = "KrFChH", .ReadCaption = "Считать крутизну ФЧХ", .WriteCaption = "Записать крутизну ФЧХ",
     .Change = {"Крутизна ФЧХ", I::Double, "Крутизну ФЧХ", 7, true},
     .View = at(P::MMP, 1, {"Крутизна ФЧХ", nullptr, true, 7})},
    {.Name = "SmFChH", .ReadCaption = "Считать смещение ФЧХ", .WriteCaption = "Записать смещение ФЧХ",
     .Change = {"Смещение ФЧХ", I::Double, "Смещение ФЧХ", 4, true},
     .View = at(P::MMP, 2, {"Смещение ФЧХ", nullptr, true, 4})},
    {.Name = "CountBadZones", .ReadCaption = "Считать количество плохих зон",
     .WriteCaption = "Записать количество плохих зон",
     .Change = {"Количество плохих зон", I::Integer, "Количество плохих зон", 0, true},
     .View = at(P::BadZones, 1, {"Количество плохих зон"})},
    {.Name = "VariantProcessing", .ReadCaption = "Считать вариант п/п обработки данных",
     .WriteCaption = "Записать вариант п/п обработки данных"},
    {.Name = "FreqNes", .ReadCaption = "Считать несущую частоту", .WriteCaption = "Записать несущую частоту",
     .Change = {"Несущая частота", I::Double, "Несущая частота, Гц", 0},
     .View = at(P::Factory, 6, {"Несущая частота", "Гц", true, 0})},
    {.Name = "FreqBeg", .ReadCaption = "Считать начальную частоту обработки",
     .WriteCaption = "Записать начальную частоту обработки",
     .Change = {"Начальная частота обработки", I::Integer, "Начальная частота обработки"},
     .View = at(P::Factory, 8, {"Начальная частота обработки", nullptr, true, 0})},
    {.Name = "FreqDev", .ReadCaption = "Считать девиацию частоты", .WriteCaption = "Записать девиацию частоты",
     .Change = {"Девиация частоты", I::Double, "Девиация частоты, Гц", 0},
     .View = at(P::Factory, 5, {"Девиация частоты", "Гц", true, 0}, true)},
    {.Name = "Radius", .ReadCaption = "Считать радиус волновода", .WriteCaption = "Записать радиус волновода",
     .Change = {"Радиус волновода", I::Double, "Радиус волновода, мм", 1},
     .View = at(P::Factory, 7, {"Радиус волновода", "мм", true, 1}, true)},
    {.Name = "MUP", .ReadCaption = "Считать минимальный уровень учитываемой помехи",
     .WriteCaption = "Записать минимальный уровень учитываемой помехи",
     .Change = {"Минимальный уровень учитываемой помехи", I::Integer, "Минимальный уровень учитываемой помехи, дБ"},
     .View = at(P::Factory, 9, {"Минимальный уровень учитываемой помехи", "дБ"}, true)},
    {.Name = "LevelKalibr", .WriteCaption = "Записать текущий уровень",
     .Change = {"Текущий уровень Ну", I::Double, "Текущий уровень продукта Hу, мм", 0},
     .View = at(P::Tank, 3, millimetres("Текущий уровень Hу"))},
    {.Name = "HardVersion", .View = at(P::Modification, 3, {"Аппаратная версия"})},
    {.Name = "SoftVersion", .View = at(P::Modification, 4, {"Программная версия"})},
    {.Name = "Usil", .View = at(P::Factory, 3, {"Услиление"})},
    {.Name = "Freq", .View = at(P::Factory, 4, {"Оценка частоты биений", nullptr, true, 2})},
};
// clang-format on

} // namespace

const TParameterTexts &ParameterTexts(const TParameter &parameter)
{
    static const TParameterTexts none;
    for (const TParameterTexts &row : Rows)
        if (std::strcmp(row.Name, parameter.Name) == 0)
            return row;
    return none;
}

QString ViewLabel(const TParameter &parameter)
{
    const TParameterView &view = ParameterTexts(parameter).View;
    QString label = QString::fromUtf8(view.Label ? view.Label : "");
    if (view.Unit)
        label += QStringLiteral(", ") + QString::fromUtf8(view.Unit);
    return label;
}

QString ViewText(const TParameter &parameter, const Ttolm472 &model)
{
    const TParameterView &view = ParameterTexts(parameter).View;
    const double value = parameter.Get(model);
    if (!view.Grouped)
        return QString::number(qint64(value));
    return FloatToStrF(value, TDescriptionOfDouble::ffNumber, view.Digits, view.Decimals);
}
