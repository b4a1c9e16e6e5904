// Key names and the two list texts of rules whose every field comes from the
// input, out-of-range kinds, channels and flags included. Beyond surviving
// them, the texts must keep their shape: a channel prefix exactly when a
// channel is set, nothing else for an unknown kind, the key's own name at
// the end of a key stroke's text, the file-name part of the path at the end
// of an activation's text, a sequence's text short and ended with "…" when
// cut, a typed text's prefix on a text of one line.
#include "ChangeTableItem.h"
#include "KeyNames.h"
#include "KeySequence.h"

#include "ByteReader.h"

#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>

namespace {

void Fail(const char* what, const std::string& text) {
    std::fprintf(stderr, "%s: [%s]\n", what, text.c_str());
    std::abort();
}

bool StartsWith(const std::string& text, const std::string& prefix) {
    return text.compare(0, prefix.size(), prefix) == 0;
}

bool EndsWith(const std::string& text, const std::string& suffix) {
    return text.size() >= suffix.size() &&
           text.compare(text.size() - suffix.size(), suffix.size(), suffix) == 0;
}

void CheckKeyName(std::uint8_t code) {
    const std::string name = GetKeyName(code);
    if (name.empty()) {
        Fail("empty key name", name);
    }
    if (name.size() != std::strlen(name.c_str())) {
        Fail("key name with a NUL byte", name);
    }
    if (StartsWith(name, "[Code:") && name != "[Code:" + std::to_string(code) + "]") {
        Fail("numbered key name with the wrong number", name);
    }
    if (GetKeyName(code) != name) {
        Fail("key name changes between calls", name);
    }
}

void CheckInputText(const CChangeTableItem& rule) {
    const std::string text = rule.GetInputText();
    const std::string prefix =
        rule.InputCh != 0 ? "Ch." + std::to_string(rule.InputCh) + " " : std::string();
    if (!StartsWith(text, prefix)) {
        Fail("input text without its channel prefix", text);
    }
    const std::string event = text.substr(prefix.size());
    switch (rule.InputKind) {
    case CChangeTableItem::Note: {
        const std::string first = "Note# " + std::to_string(rule.NoteNumber);
        const bool range = rule.NoteNumber != rule.NoteNumberEnd;
        if (!StartsWith(event, first) || (range != (event != first)) ||
            (range && !EndsWith(event, std::to_string(rule.NoteNumberEnd)))) {
            Fail("note text", text);
        }
        break;
    }
    case CChangeTableItem::ControlChange: {
        const std::string number = "CC# " + std::to_string(rule.CCNumber);
        if (!StartsWith(event, number) || ((rule.CCFlag & 1) != 0) != (event != number)) {
            Fail("controller text", text);
        }
        break;
    }
    case CChangeTableItem::PitchBendMinus:
        if (event != "PitchBend -")
            Fail("bend text", text);
        break;
    case CChangeTableItem::PitchBendPlus:
        if (event != "PitchBend +")
            Fail("bend text", text);
        break;
    case CChangeTableItem::ProgramChange:
        if (event != "PC# " + std::to_string(rule.PCNumber))
            Fail("program text", text);
        break;
    case CChangeTableItem::ControlChangeUp:
    case CChangeTableItem::ControlChangeDown:
        if (!StartsWith(event, "CC# " + std::to_string(rule.CCNumber) + " (")) {
            Fail("knob direction text", text);
        }
        break;
    default:
        if (!event.empty())
            Fail("text for an unknown input kind", text);
        break;
    }
}

// The fixed start of a text, taken from a rule that adds nothing to it.
std::string OutputPrefix(std::uint8_t outputKind) {
    CChangeTableItem bare;
    bare.OutputKind = outputKind;
    bare.KeyCode = 0x41;
    const std::string text = bare.GetOutputText();
    return outputKind == CChangeTableItem::KeyInput ? text.substr(0, text.size() - 1) : text;
}

void CheckOutputText(const CChangeTableItem& rule) {
    const std::string text = rule.GetOutputText();
    switch (rule.OutputKind) {
    case CChangeTableItem::KeyInput: {
        const std::string prefix = OutputPrefix(CChangeTableItem::KeyInput);
        std::string modifiers;
        if (rule.KeyFlag & CChangeTableItem::KeyFlagCtrl)
            modifiers += "Ctrl+";
        if (rule.KeyFlag & CChangeTableItem::KeyFlagShift)
            modifiers += "Shift+";
        if (rule.KeyFlag & CChangeTableItem::KeyFlagAlt)
            modifiers += "Alt+";
        if (text != prefix + modifiers + GetKeyName(rule.KeyCode)) {
            Fail("key stroke text", text);
        }
        break;
    }
    case CChangeTableItem::ActivateApplication: {
        const std::string prefix = OutputPrefix(CChangeTableItem::ActivateApplication);
        // The path as a C string: the platform's texts end at a NUL byte.
        const std::string path = rule.GetActExePath().c_str();
        if (!StartsWith(text, prefix)) {
            Fail("activation text without its prefix", text);
        }
        // The file-name part is a tail of the path, and only an empty path
        // has an empty one (a trailing separator does not end the name).
        const std::string name = text.substr(prefix.size());
        if (!EndsWith(path, name) || name.empty() != path.empty()) {
            Fail("activation text without the file name", text);
        }
        break;
    }
    case CChangeTableItem::ToggleEnabled:
        if (text.empty())
            Fail("empty toggle text", text);
        break;
    case CChangeTableItem::MouseInput: {
        // The fixed start is what comes before the action's name.
        const std::string bare = OutputPrefix(CChangeTableItem::MouseInput);
        if (!StartsWith(text, bare.substr(0, bare.find(' ') + 1))) {
            Fail("mouse text without its prefix", text);
        }
        break;
    }
    case CChangeTableItem::KeySequence: {
        const std::string whole =
            GetKeySequenceText(ParseKeySequence(rule.GetKeySequence()), std::string::npos);
        if (text != whole && (text.size() > whole.size() || !EndsWith(text, "…"))) {
            Fail("sequence text neither whole nor cut with an ellipsis", text);
        }
        if (text.size() > 200) {
            Fail("sequence text too long for the list", text);
        }
        break;
    }
    case CChangeTableItem::TypeText: {
        const std::string prefix = OutputPrefix(CChangeTableItem::TypeText);
        if (!StartsWith(text, prefix) || text.find_first_of("\r\n\t") != std::string::npos) {
            Fail("typed text's text not one line after its prefix", text);
        }
        break;
    }
    case CChangeTableItem::SwitchLayer: {
        // Every action, known or not, names itself after the fixed start;
        // a layer's name is one line.
        const std::string prefix = "レイヤー: ";
        if (!StartsWith(text, prefix) || text.size() == prefix.size() ||
            text.find_first_of("\r\n") != std::string::npos) {
            Fail("layer switch text without its prefix or action", text);
        }
        break;
    }
    default:
        if (!text.empty())
            Fail("text for an unknown output kind", text);
        break;
    }
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, size_t size) {
    ByteReader input(data, size);
    CheckKeyName(input.Byte());
    while (!input.AtEnd()) {
        CChangeTableItem rule;
        rule.InputCh = input.Byte();
        rule.InputKind = input.Byte();
        rule.OutputKind = input.Byte();
        rule.NoteNumber = input.Byte();
        rule.NoteNumberEnd = input.Byte();
        rule.CCNumber = input.Byte();
        rule.CCFlag = input.Byte();
        rule.PCNumber = input.Byte();
        rule.PCRange = input.Byte();
        rule.KeyCode = input.Byte();
        rule.KeyFlag = input.Byte();
        rule.SetActExePath(input.String());
        if (rule.OutputKind == CChangeTableItem::KeySequence) {
            rule.SetKeySequence(input.String());
        } else if (rule.OutputKind == CChangeTableItem::TypeText) {
            rule.SetText(input.String());
        } else if (rule.OutputKind == CChangeTableItem::SwitchLayer) {
            rule.LayerAction = input.Byte();
            rule.LayerTarget = input.Byte();
        }
        CheckKeyName(rule.KeyCode);
        CheckInputText(rule);
        CheckOutputText(rule);
    }
    return 0;
}
