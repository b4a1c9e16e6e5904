#include "MidiInStatusTexts.h"

#include "StringUtil.h"

using Status = CMidiInReconnector::Status;

namespace {
std::string Device(const std::string& name) { return "MIDI-INデバイス[" + name + "]"; }
} // namespace

std::string MidiInTrayTip(const std::string& appName, Status status,
                          const std::string& deviceName) {
    switch (status) {
    case Status::Missing:
        return appName + " (" + Device(deviceName) + "が見つかりません)";
    case Status::Unopenable:
        return appName + " (" + Device(deviceName) + "をオープンできません)";
    case Status::Ambiguous:
        return appName + " (" + Device(deviceName) + "に当たるデバイスが複数あります)";
    default:
        return appName;
    }
}

std::string MidiInSlotsTrayTip(const std::string& appName,
                               const std::vector<SMidiInSlotState>& namedSlots) {
    // The tip of the notification area holds 127 bytes and a terminator.
    constexpr std::size_t kTipBytes = 127;
    if (namedSlots.empty()) {
        return appName;
    }
    if (namedSlots.size() == 1) {
        return CutAtCharacterBoundary(
            MidiInTrayTip(appName, namedSlots[0].status, namedSlots[0].deviceName), kTipBytes);
    }
    int open = 0;
    int missing = 0;
    int unopenable = 0;
    for (const SMidiInSlotState& slot : namedSlots) {
        switch (slot.status) {
        case Status::Open:
            ++open;
            break;
        case Status::Unopenable:
            ++unopenable;
            break;
        default:
            ++missing;
            break;
        }
    }
    std::string tip = appName + ": " + Format("%d 台接続", open);
    if (missing != 0) {
        tip += Format(", %d 台見つかりません", missing);
    }
    if (unopenable != 0) {
        tip += Format(", %d 台オープンできません", unopenable);
    }
    return CutAtCharacterBoundary(tip, kTipBytes);
}

std::optional<SMidiInBalloon> MidiInStatusBalloon(Status before, Status after, bool byItself,
                                                  const std::string& deviceName,
                                                  const std::vector<std::string>& candidates) {
    if (after == before) {
        return std::nullopt;
    }
    if (after == Status::Ambiguous) {
        std::string names;
        for (const std::string& candidate : candidates) {
            names += "[" + candidate + "]";
        }
        return SMidiInBalloon{Device(deviceName) + "に当たるデバイスが複数あるので、" +
                                  "どれもオープンしませんでした: " + names +
                                  "。設定画面でデバイスを選んでください。",
                              true};
    }
    if (!byItself) {
        return std::nullopt;
    }
    if (after == Status::Open && before == Status::Missing) {
        return SMidiInBalloon{Device(deviceName) + "が接続されたので、オープンしました。", false};
    }
    if (after == Status::Open && before == Status::Unopenable) {
        return SMidiInBalloon{Device(deviceName) + "をオープンしました。", false};
    }
    if (after == Status::Missing && before == Status::Open) {
        return SMidiInBalloon{Device(deviceName) +
                                  "が見つからなくなりました。接続し直すと自動的にオープンします。",
                              true};
    }
    if (after == Status::Unopenable) {
        return SMidiInBalloon{Device(deviceName) + "のオープンに失敗しました。", true};
    }
    return std::nullopt;
}
