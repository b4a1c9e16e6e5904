#include "FakeWinmmControl.h"

#include "FakeDelivery.h"

#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <sstream>

std::string FakeWinmmCall::Get(const std::string& key) const {
    const auto it = fields.find(key);
    return it == fields.end() ? std::string() : it->second;
}

unsigned long long FakeWinmmCall::Number(const std::string& key) const {
    return std::strtoull(Get(key).c_str(), nullptr, 0);
}

std::string FakeWinmmCall::Text(const std::string& key) const {
    const std::string escaped = Get(key);
    std::string text;
    for (std::size_t i = 0; i < escaped.size(); ++i) {
        if (escaped[i] == '%' && i + 2 < escaped.size()) {
            text += static_cast<char>(std::strtoul(escaped.substr(i + 1, 2).c_str(), nullptr, 16));
            i += 2;
        } else {
            text += escaped[i];
        }
    }
    return text;
}

double FakeWinmmCall::Milliseconds(const std::string& key) const {
    return std::strtod(Get(key).c_str(), nullptr);
}

FakeWinmmControl::FakeWinmmControl(std::string directory) : m_directory(std::move(directory)) {
    if (!m_directory.empty() && m_directory.back() != '\\' && m_directory.back() != '/') {
        m_directory += '\\';
    }
}

bool FakeWinmmControl::SetDevices(const std::vector<FakeMidiDevice>& devices,
                                  bool closeNoticeOnRemoval) const {
    std::ostringstream text;
    text << "[Devices]\r\nCount=" << devices.size() << "\r\n"
         << "CloseNoticeOnRemoval=" << (closeNoticeOnRemoval ? 1 : 0) << "\r\n";
    for (std::size_t i = 0; i < devices.size(); ++i) {
        const FakeMidiDevice& device = devices[i];
        text << "[Device" << i << "]\r\n"
             << "Name=" << device.name << "\r\n"
             << "CapsResult=" << device.capsResult << "\r\n"
             << "OpenResult=" << device.openResult << "\r\n"
             << "StartResult=" << device.startResult << "\r\n"
             << "CloseResult=" << device.closeResult << "\r\n"
             << "Plug=" << device.plug << "\r\n";
    }
    std::ofstream file(ScriptPath(), std::ios::binary | std::ios::trunc);
    file << text.str();
    return static_cast<bool>(file.flush());
}

bool FakeWinmmControl::FailTrayAdds(unsigned count) const {
    std::ofstream file(ScriptPath(), std::ios::binary | std::ios::app);
    file << "[Tray]\r\nFailAdds=" << count << "\r\n";
    return static_cast<bool>(file.flush());
}

bool FakeWinmmControl::DeliverShortMessage(void* programWindow, unsigned device,
                                           std::uint32_t message) const {
    return PostMessageA(static_cast<HWND>(programWindow),
                        RegisterWindowMessageA(kFakeShortMessageRequest), device,
                        static_cast<LPARAM>(message)) != FALSE;
}

bool FakeWinmmControl::DeliverSysEx(void* programWindow, unsigned device) const {
    return PostMessageA(static_cast<HWND>(programWindow), RegisterWindowMessageA(kFakeSysExRequest),
                        device, 0) != FALSE;
}

bool FakeWinmmControl::SetOutputs(const std::vector<FakeMidiOutDevice>& outputs) const {
    // The script without its outputs, then the new ones.
    std::string script;
    {
        std::ifstream in(ScriptPath(), std::ios::binary);
        std::ostringstream read;
        read << in.rdbuf();
        script = read.str();
    }
    const std::size_t outputsAt = script.find("[Outputs]");
    if (outputsAt != std::string::npos) {
        script.erase(outputsAt);
    }
    std::ostringstream text;
    text << script << "[Outputs]\r\nCount=" << outputs.size() << "\r\n";
    for (std::size_t i = 0; i < outputs.size(); ++i) {
        text << "[Output" << i << "]\r\nName=" << outputs[i].name << "\r\n"
             << "Synth=" << (outputs[i].softwareSynth ? 1 : 0) << "\r\n"
             << "OpenResult=" << outputs[i].openResult << "\r\n"
             << "LoopToInput=" << outputs[i].loopToInput << "\r\n";
    }
    std::ofstream file(ScriptPath(), std::ios::binary | std::ios::trunc);
    file << text.str();
    return static_cast<bool>(file.flush());
}

bool FakeWinmmControl::ClearLog() const {
    std::ofstream file(LogPath(), std::ios::binary | std::ios::trunc);
    return static_cast<bool>(file);
}

namespace {
bool SetFlagFile(const std::string& path, bool present) {
    if (!present) {
        return std::remove(path.c_str()) == 0 || !std::ifstream(path);
    }
    return static_cast<bool>(std::ofstream(path, std::ios::binary | std::ios::trunc));
}
} // namespace

bool FakeWinmmControl::HoldShellExecute(bool hold) const {
    return SetFlagFile(m_directory + "ShellExecute.hold", hold);
}

bool FakeWinmmControl::WatchMessages() const {
    return SetFlagFile(m_directory + "Messages.watch", true);
}

std::vector<FakeWinmmCall> FakeWinmmControl::Calls() const {
    std::vector<FakeWinmmCall> calls;
    std::ifstream file(LogPath(), std::ios::binary);
    std::string line;
    while (std::getline(file, line)) {
        FakeWinmmCall call;
        if (ParseFakeWinmmLine(line, call)) {
            calls.push_back(std::move(call));
        }
    }
    return calls;
}

std::vector<FakeWinmmCall> FakeWinmmControl::Calls(const std::string& function) const {
    std::vector<FakeWinmmCall> matching;
    for (FakeWinmmCall& call : Calls()) {
        if (call.function == function) {
            matching.push_back(std::move(call));
        }
    }
    return matching;
}

bool ParseFakeWinmmLine(const std::string& line, FakeWinmmCall& call) {
    std::string text = line;
    if (!text.empty() && text.back() == '\r') {
        text.pop_back();
    }
    std::size_t pos = 0;
    while (pos < text.size()) {
        const std::size_t end = text.find(' ', pos);
        const std::string token = text.substr(pos, end == std::string::npos ? end : end - pos);
        const std::size_t equals = token.find('=');
        if (equals == std::string::npos) {
            if (!token.empty()) {
                call.function = token;
            }
        } else if (token.compare(0, equals, "name") == 0) {
            // The name comes last and may hold blanks.
            call.fields["name"] = text.substr(pos + equals + 1);
            break;
        } else {
            call.fields[token.substr(0, equals)] = token.substr(equals + 1);
        }
        if (end == std::string::npos) {
            break;
        }
        pos = end + 1;
    }
    return !call.function.empty();
}
