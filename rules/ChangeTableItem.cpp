#include "ChangeTableItem.h"

#include "ExePath.h"
#include "IniFile.h"
#include "KeyNames.h"
#include "KeySequence.h"
#include "LayerNames.h"
#include "StringUtil.h"
#include "TypedText.h"

namespace {

// Longer texts would only be cut by the list's column.
constexpr std::size_t kMaxOutputTextBytes = 120;

} // namespace

#include <atomic>

CChangeTableItem::Id CChangeTableItem::NextId() {
    // 0 is left for "no rule"; 64 bits do not run out.
    static std::atomic<Id> next{1};
    return next.fetch_add(1, std::memory_order_relaxed);
}

std::string CChangeTableItem::GetInputText() const { return GetInputText(CLayerNames()); }

std::string CChangeTableItem::GetOutputText() const { return GetOutputText(CLayerNames()); }

std::string CChangeTableItem::GetInputText(const CLayerNames& names) const {
    std::string event;
    switch (InputKind) {
    case Note:
        if (NoteNumber == NoteNumberEnd) {
            event = Format("Note# %d", NoteNumber);
        } else {
            event = Format("Note# %d～%d", NoteNumber, NoteNumberEnd);
        }
        break;
    case ControlChange:
        event = Format("CC# %d", CCNumber);
        if (CCFlag & CCFlagRisingEdge) {
            event += " (値が0から1以上へ変化した時)";
        }
        break;
    case PitchBendMinus:
        event = "PitchBend -";
        break;
    case PitchBendPlus:
        event = "PitchBend +";
        break;
    case ProgramChange:
        event = Format("PC# %d", PCNumber);
        break;
    case ControlChangeUp:
    case ControlChangeDown:
        event = Format(InputKind == ControlChangeUp ? "CC# %d (増やした時)" : "CC# %d (減らした時)",
                       CCNumber);
        if (CCMode != CCModeAbsolute) {
            const std::string mode = GetCCModeName(CCMode);
            event += " " + (mode.empty() ? Format("[方式%d]", CCMode) : mode);
        }
        break;
    default:
        break;
    }
    if (InputCh != 0) {
        event = Format("Ch.%d ", InputCh) + event;
    }
    if (Layer != 0) {
        event += " <" + names.Display(Layer) + ">";
    }
    if (IsForOneApplication()) {
        event += Format(" [%s]", PathFindFileNamePart(ForeExePath.c_str()));
    }
    return event;
}

std::string CChangeTableItem::GetOutputText(const CLayerNames& names) const {
    switch (OutputKind) {
    case KeyInput:
        return "キー入力: " + ModifierText() + GetKeyName(KeyCode) +
               (HoldsKey()     ? " (押している間)"
                : RepeatsKey() ? " (くり返し)"
                               : "");
    case KeySequence:
        return GetKeySequenceText(ParseKeySequence(KeySequenceText), kMaxOutputTextBytes);
    case TypeText:
        return "テキスト: " + TypedTextPreview(TypedText, kMaxOutputTextBytes);
    case MouseInput: {
        const std::string action = GetMouseActionName(MouseAction);
        return "マウス: " + ModifierText() +
               (action.empty() ? Format("[Action:%d]", MouseAction) : action) +
               (HoldsKey() ? " (押している間)" : "");
    }
    case ActivateApplication:
        return std::string("アクティブ化: ") + PathFindFileNamePart(ActExePath.c_str()) +
               (ActLaunch != 0 ? " (起動)" : "");
    case ToggleEnabled:
        return "Sorbelquintaroの有効/無効 切り替え";
    case SwitchLayer:
        switch (LayerAction) {
        case GoToLayer:
            return "レイヤー: " + names.Display(LayerTarget) + " へ";
        case HoldLayer:
            return "レイヤー: " + names.Display(LayerTarget) + " (押している間)";
        case NextLayer:
            return "レイヤー: 次";
        case PreviousLayer:
            return "レイヤー: 前";
        default:
            return Format("レイヤー: [Action:%d]", LayerAction);
        }
    default:
        return std::string();
    }
}

bool CChangeTableItem::IsForApplication(const std::string& exePath) const {
    return IsForOneApplication() && ForeExePathMatches(ForeExePath, exePath);
}

bool CChangeTableItem::ForeExePathMatches(const std::string& foreExePath,
                                          const std::string& exePath) {
    const char* value = foreExePath.c_str();
    if (PathFindFileNamePart(value) == value) {
        return MbsICmp(PathFindFileNamePart(exePath.c_str()), value) == 0;
    }
    return SameExePath(exePath, foreExePath);
}

bool CChangeTableItem::HasRelease(int inputKind) {
    switch (inputKind) {
    case Note:
    case ControlChange:
    case PitchBendMinus:
    case PitchBendPlus:
        return true;
    default:
        return false;
    }
}

bool CChangeTableItem::CanBeLit(int inputKind) {
    switch (inputKind) {
    case Note:
    case ControlChange:
    case ControlChangeUp:
    case ControlChangeDown:
        return true;
    default:
        return false;
    }
}

std::string CChangeTableItem::ModifierText() const {
    return KeyFlagText(KeyFlag);
}

bool CChangeTableItem::IsMouseButton(int mouseAction) {
    return mouseAction >= LeftButton && mouseAction <= ForwardButton;
}

bool CChangeTableItem::HoldsKey() const {
    const bool holdable =
        OutputKind == KeyInput || (OutputKind == MouseInput && IsMouseButton(MouseAction));
    return holdable && KeyHold != 0 && HasRelease(InputKind);
}

bool CChangeTableItem::RepeatsKey() const {
    return OutputKind == KeyInput && KeyRepeat != 0 && KeyHold == 0 && HasRelease(InputKind);
}

void CChangeTableItem::SetKeySequence(const std::string& text) {
    KeySequenceText = WriteKeySequence(ParseKeySequence(text));
}

void CChangeTableItem::SetText(const std::string& text) {
    TypedText = LimitTypedText(text);
}

namespace {

// Written only when not 0, so that tables without the key keep their file;
// read as a byte like the keys every rule has.
void ExchangeOptionalByte(bool save, CIniFile& ini, const char* section, const char* key,
                          std::uint8_t& value) {
    if (!save) {
        value = static_cast<std::uint8_t>(ini.GetInt(section, key, 0) & 0xFF);
    } else if (value != 0) {
        ini.WriteInt(section, key, value);
    }
}

// A number beyond a byte becomes `outside` rather than being masked: 257 is
// no device or layer 1, and such a rule is shown and saved but takes no input.
std::uint8_t ReadByteOr(CIniFile& ini, const char* section, const char* key, int byDefault,
                        std::uint8_t outside) {
    const int value = ini.GetInt(section, key, byDefault);
    return value >= 0 && value <= 0xFF ? static_cast<std::uint8_t>(value) : outside;
}

} // namespace

void CChangeTableItem::Exchange(bool save, CIniFile& ini, const char* section) {
    ini.ExchangeByte(save, section, "InputCh", InputCh);
    ini.ExchangeByte(save, section, "InputKind", InputKind);
    ini.ExchangeByte(save, section, "OutputKind", OutputKind);
    ini.ExchangeByte(save, section, "NoteNumber", NoteNumber);
    if (!save) {
        // A section that names only NoteNumber describes a single note.
        NoteNumberEnd = NoteNumber;
    }
    ini.ExchangeByte(save, section, "NoteNumberEnd", NoteNumberEnd);
    ini.ExchangeByte(save, section, "CCNumber", CCNumber);
    ini.ExchangeByte(save, section, "CCFlag", CCFlag);
    ini.ExchangeByte(save, section, "PCNumber", PCNumber);
    ini.ExchangeByte(save, section, "PCRange", PCRange);
    ini.ExchangeByte(save, section, "KeyCode", KeyCode);
    ini.ExchangeByte(save, section, "KeyFlag", KeyFlag);
    ini.ExchangeString(save, section, "ActExePath", ActExePath, false);
    if (!save) {
        ActLaunch = ini.GetInt(section, "ActLaunch", 0) != 0 ? 1 : 0;
    } else if (ActLaunch != 0) {
        ini.WriteInt(section, "ActLaunch", 1);
    }
    // Last, so that the sections of older tables keep their lines in place.
    if (!save) {
        KeyHold = ini.GetInt(section, "KeyHold", 0) != 0 ? 1 : 0;
    } else if (KeyHold != 0) {
        ini.WriteInt(section, "KeyHold", 1);
    }
    ExchangeOptionalByte(save, ini, section, "CCMode", CCMode);
    ExchangeOptionalByte(save, ini, section, "MouseAction", MouseAction);
    if (!save) {
        ForeExePath = ini.GetString(section, "ForeExePath", "", false);
    } else if (IsForOneApplication()) {
        ini.WriteString(section, "ForeExePath", ForeExePath.c_str(), false);
    }
    // The keys of devices, layers, repeat, sequences, text and layer
    // switches, each written only when used (a switch always states what it
    // does), in this fixed order.
    if (!save) {
        InputDevice = ReadByteOr(ini, section, "InputDevice", kAnyDevice, kNoDevice);
        Layer = ReadByteOr(ini, section, "Layer", kEveryLayer, kNoLayer);
        // A hand-edited rule that asks for both holds: the older option wins.
        KeyRepeat = (ini.GetInt(section, "KeyRepeat", 0) != 0 && KeyHold == 0) ? 1 : 0;
        SetKeySequence(ini.GetString(section, "KeySequence", "", false));
        SetText(ini.GetString(section, "Text", "", true));
        const int gap = ini.GetInt(section, "StrokeGap", kDefaultStrokeGap);
        StrokeGap = static_cast<std::uint16_t>(gap < kMinStrokeGap   ? kMinStrokeGap
                                               : gap > kMaxStrokeGap ? kMaxStrokeGap
                                                                     : gap);
        LayerAction = ReadByteOr(ini, section, "LayerAction", GoToLayer, kNoLayer);
        LayerTarget = ReadByteOr(ini, section, "LayerTarget", 1, kNoLayer);
        ExchangeFeedback(false, ini, section);
        return;
    }
    if (InputDevice != kAnyDevice) {
        ini.WriteInt(section, "InputDevice", InputDevice);
    }
    if (Layer != kEveryLayer) {
        ini.WriteInt(section, "Layer", Layer);
    }
    if (KeyRepeat != 0) {
        ini.WriteInt(section, "KeyRepeat", 1);
    }
    if (!KeySequenceText.empty()) {
        ini.WriteString(section, "KeySequence", KeySequenceText.c_str(), false);
    }
    if (!TypedText.empty()) {
        ini.WriteString(section, "Text", TypedText.c_str(), true);
    }
    if (StrokeGap != kDefaultStrokeGap) {
        ini.WriteInt(section, "StrokeGap", StrokeGap);
    }
    if (OutputKind == SwitchLayer) {
        ini.WriteInt(section, "LayerAction", LayerAction);
        ini.WriteInt(section, "LayerTarget", LayerTarget);
    }
    ExchangeFeedback(true, ini, section);
}

namespace {

// A velocity or controller value; anything else is no value a light can
// take, and the default stands.
std::uint8_t ReadDataByte(CIniFile& ini, const char* section, const char* key,
                          std::uint8_t defaultValue) {
    const int value = ini.GetInt(section, key, defaultValue);
    return value >= 0 && value <= 127 ? static_cast<std::uint8_t>(value) : defaultValue;
}

} // namespace

void CChangeTableItem::ExchangeFeedback(bool save, CIniFile& ini, const char* section) {
    if (!save) {
        Feedback = ini.GetInt(section, "Feedback", 0) != 0 ? 1 : 0;
        FeedbackOn = ReadDataByte(ini, section, "FeedbackOn", kDefaultFeedbackOn);
        FeedbackOff = ReadDataByte(ini, section, "FeedbackOff", kDefaultFeedbackOff);
        const int channel = ini.GetInt(section, "FeedbackCh", 0);
        FeedbackCh = channel >= 1 && channel <= 16 ? static_cast<std::uint8_t>(channel) : 0;
        return;
    }
    if (Feedback != 0) {
        ini.WriteInt(section, "Feedback", 1);
    }
    if (FeedbackOn != kDefaultFeedbackOn) {
        ini.WriteInt(section, "FeedbackOn", FeedbackOn);
    }
    if (FeedbackOff != kDefaultFeedbackOff) {
        ini.WriteInt(section, "FeedbackOff", FeedbackOff);
    }
    if (FeedbackCh != 0) {
        ini.WriteInt(section, "FeedbackCh", FeedbackCh);
    }
}

std::string GetCCModeName(int ccMode) {
    switch (ccMode) {
    case CChangeTableItem::CCModeAbsolute:
        return "絶対値";
    case CChangeTableItem::CCModeTwosComplement:
        return "相対 (2の補数)";
    case CChangeTableItem::CCModeBinaryOffset:
        return "相対 (64基準)";
    case CChangeTableItem::CCModeSignBit:
        return "相対 (符号ビット)";
    default:
        return std::string();
    }
}

std::string GetMouseActionName(int mouseAction) {
    static const char* const names[] = {"ホイール上", "ホイール下", "ホイール左",
                                        "ホイール右", "左ボタン",   "右ボタン",
                                        "中ボタン",   "戻るボタン", "進むボタン"};
    if (mouseAction < 0 || mouseAction >= static_cast<int>(sizeof names / sizeof names[0])) {
        return std::string();
    }
    return names[mouseAction];
}

std::string GetLayerActionName(int layerAction) {
    static const char* const names[] = {"このレイヤーへ", "押している間だけ", "次のレイヤー",
                                        "前のレイヤー"};
    if (layerAction < 0 || layerAction >= static_cast<int>(sizeof names / sizeof names[0])) {
        return std::string();
    }
    return names[layerAction];
}
