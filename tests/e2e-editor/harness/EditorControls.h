#pragma once
// Control ids of the program's editing windows, as a user meets them.
#include <windows.h>

// The settings window.
namespace SettingsControl {
constexpr int kDevice = 1000;
constexpr int kRuleList = 1001;
constexpr int kAdd = 1002;
constexpr int kEdit = 1003;
constexpr int kDelete = 1004;
} // namespace SettingsControl

// The rule editor.
namespace EditorControl {
constexpr int kNoteEvent = 1005;
constexpr int kControllerEvent = 1006;
constexpr int kNoteNumber = 1008;
constexpr int kControllerNumber = 1010;
constexpr int kBendMinus = 1011;
constexpr int kBendPlus = 1012;
constexpr int kKey = 1013;
constexpr int kShift = 1014;
constexpr int kControl = 1015;
constexpr int kAlt = 1016;
constexpr int kNoteNumberEnd = 1017;
constexpr int kProgramEvent = 1018;
constexpr int kEdge = 1019;
constexpr int kKeyInput = 1020;
constexpr int kActivate = 1021;
constexpr int kExeName = 1022;
constexpr int kSelectApplication = 1023;
constexpr int kChannel = 1026;
constexpr int kProgramNumber = 1027;
constexpr int kProgramRange = 1028;
constexpr int kToggle = 1029;

// The radio buttons of each group, in the order of their kind numbers.
constexpr int kInputKinds[] = {kNoteEvent, kControllerEvent, kBendMinus, kBendPlus, kProgramEvent};
constexpr int kOutputKinds[] = {kKeyInput, kActivate, kToggle};
} // namespace EditorControl

// The application picker.
namespace PickerControl {
constexpr int kList = 1024;
} // namespace PickerControl
