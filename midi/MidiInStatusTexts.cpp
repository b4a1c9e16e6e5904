#include "MidiInStatusTexts.h"

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
