#pragma once

// The window as designed, written out apart from the program's own table so
// that a slip in either shows up as a failing row.

#include <QLineEdit>
#include <QRadioButton>
#include <QString>
#include <QWidget>

#include <array>
#include <string_view>

namespace quorvel::test {

enum class Kind { Label, TextBox, Frame, BorderedFrame, Option, Command };

struct Designed {
    const char* name;
    Kind kind;
    const char* in;  // nullptr: the window
    const char* text;
    int left, top, width, height;  // twips
    int tabIndex;
    bool bold;
    bool selected;
};

// clang-format off
inline constexpr std::array<Designed, 50> kDesign{{
    {"Frame7",   Kind::Frame,         nullptr,  "",        4680, 1200,  495,  585, 29, true,  false},
    {"Option4",  Kind::Option,        "Frame7", "E",          0,    0,  615,  255, 40, true,  false},
    {"West2",    Kind::Option,        "Frame7", "W",          0,  240,  495,  315, 41, true,  true},
    {"Frame6",   Kind::Frame,         nullptr,  "",        4680,  480,  495,  585, 26, true,  false},
    {"West1",    Kind::Option,        "Frame6", "W",          0,  240,  495,  315, 28, true,  true},
    {"Option1",  Kind::Option,        "Frame6", "E",          0,    0,  615,  255, 27, true,  false},
    {"Frame5",   Kind::Frame,         nullptr,  "",        3000,  480,  495,  555, 22, true,  false},
    {"Option2",  Kind::Option,        "Frame5", "S",          0,  240,  495,  315, 24, true,  false},
    {"North1",   Kind::Option,        "Frame5", "N",          0,    0,  615,  255, 23, true,  true},
    {"Frame3",   Kind::Frame,         nullptr,  "",        3000, 1200,  495,  585, 21, true,  false},
    {"North2",   Kind::Option,        "Frame3", "N",          0,    0,  615,  255, 37, true,  true},
    {"South2",   Kind::Option,        "Frame3", "S",          0,  240,  495,  315, 38, true,  false},
    {"Lat1",     Kind::TextBox,       nullptr,  "35",      1920,  600,  975,  285, 20, false, false},
    {"Frame2",   Kind::BorderedFrame, nullptr,  "",        5400, 1200, 2415,  495, 13, false, false},
    {"A2_T",     Kind::Option,        "Frame2", "T",       1920,  180,  375,  195, 44, false, false},
    {"A2_A",     Kind::Option,        "Frame2", "A",       1320,  180,  375,  195, 43, false, true},
    {"A2",       Kind::TextBox,       "Frame2", "30",       120,  120, 1095,  285, 42, false, false},
    {"Frame1",   Kind::BorderedFrame, nullptr,  "",        5400,  480, 2415,  495, 12, false, false},
    {"A1",       Kind::TextBox,       "Frame1", "20",       120,  120, 1095,  285, 31, false, false},
    {"A1_A",     Kind::Option,        "Frame1", "A",       1320,  180,  375,  195, 32, false, false},
    {"A1_T",     Kind::Option,        "Frame1", "T",       1920,  180,  375,  195, 33, false, true},
    {"speed",    Kind::TextBox,       nullptr,  "20",      2280, 2160,  975,  285, 47, false, false},
    {"course",   Kind::TextBox,       nullptr,  "90",      1080, 2160,  975,  285, 46, false, false},
    {"FixLL",    Kind::TextBox,       nullptr,  "",        6120, 2400, 2775,  285,  9, true,  false},
    {"Command1", Kind::Command,       nullptr,  "Calculate Fix", 4080, 2280, 1935, 525, 48, true, false},
    {"Time2",    Kind::TextBox,       nullptr,  "1:02:30",  840, 1320,  975,  285, 35, false, false},
    {"Zn2",      Kind::TextBox,       nullptr,  "240",     7920, 1320,  975,  285, 45, false, false},
    {"Lat2",     Kind::TextBox,       nullptr,  "35",      1920, 1320,  975,  285, 36, false, false},
    {"Long2",    Kind::TextBox,       nullptr,  "144.50",  3600, 1320,  975,  285, 39, false, false},
    {"Zn1",      Kind::TextBox,       nullptr,  "340",     7920,  600,  975,  285, 34, false, false},
    {"Long1",    Kind::TextBox,       nullptr,  "145.18",  3600,  600,  975,  285, 25, false, false},
    {"Time1",    Kind::TextBox,       nullptr,  "1:00:00",  840,  600,  975,  285,  7, false, false},
    {"Label7",   Kind::Label,         nullptr,  "Fix is calculated for time of second sighting.", 240, 2760, 3855, 255, 49, false, false},
    {"Label4",   Kind::Label,         nullptr,  "time2 > time1; seconds are optional", 240, 3720, 2655, 255, 30, false, false},
    {"Label17",  Kind::Label,         nullptr,  "(12.345 = 12 degrees 34.5 minutes)", 360, 3240, 2655, 255, 19, false, false},
    {"Label16",  Kind::Label,         nullptr,  nullptr,   7080, 3720, 1815,  255, 18, true,  false},
    {"Label15",  Kind::Label,         nullptr,  "Time is on the 24 hour clock; 2:06:13pm = 14:06:13", 240, 3480, 3855, 255, 17, false, false},
    {"Label14",  Kind::Label,         nullptr,  "Conventions", 120, 2520, 3255, 255, 16, true, false},
    {"Label13",  Kind::Label,         nullptr,  nullptr,   6240, 3480, 2655,  255, 15, true,  false},
    {"Label12",  Kind::Label,         nullptr,  nullptr,   7080, 3240, 1815,  255, 14, true,  false},
    {"lcourse",  Kind::Label,         nullptr,  "Course(T)", 1080, 1920, 855,  210, 11, true,  false},
    {"lspeed",   Kind::Label,         nullptr,  "Speed (knots)", 2280, 1920, 1455, 210, 10, true, false},
    {"Label3",   Kind::Label,         nullptr,  "2",        360, 1350,  375,  210,  8, false, false},
    {"Label11",  Kind::Label,         nullptr,  "Degrees are in 'DD.MMddd' convention ", 240, 3000, 2895, 255, 6, false, false},
    {"Label10",  Kind::Label,         nullptr,  "a-Lon",   3600,  240,  615,  255,  5, true,  false},
    {"Label9",   Kind::Label,         nullptr,  "a-Lat",   1920,  240,  495,  255,  4, true,  false},
    {"Label6",   Kind::Label,         nullptr,  "a-Value", 5520,  240,  975,  255,  3, true,  false},
    {"Label5",   Kind::Label,         nullptr,  "Zn",      8160,  240,  375,  255,  2, true,  false},
    {"Label2",   Kind::Label,         nullptr,  "1",        360,  630,  375,  210,  1, false, false},
    {"Label1",   Kind::Label,         nullptr,  "Sight Time", 840, 240,  975,  255,  0, true,  false},
}};
// clang-format on

inline const Designed& Design(std::string_view name) {
    for (const Designed& d : kDesign) {
        if (d.name == name) {
            return d;
        }
    }
    qFatal("no control %.*s in the design", static_cast<int>(name.size()), name.data());
}

template <typename Control = QWidget>
Control* Find(const QWidget* window, const char* name) {
    auto* control = window->findChild<Control*>(QString::fromLatin1(name));
    if (control == nullptr) {
        qFatal("the window has no %s of that kind", name);
    }
    return control;
}

// The twelve entry boxes, in the order the command reads them.
inline constexpr std::array<const char*, 12> kEntryBoxes{"Time1", "Time2", "Long1",  "Lat1",
                                                         "Long2", "Lat2",  "course", "speed",
                                                         "Zn1",   "Zn2",   "A1",     "A2"};

// Every entry box's text, to see that nothing typed is lost.
inline QStringList EntryTexts(const QWidget* window) {
    QStringList texts;
    for (const char* name : kEntryBoxes) {
        texts << Find<QLineEdit>(window, name)->text();
    }
    return texts;
}

}  // namespace quorvel::test
