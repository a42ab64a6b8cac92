// Answers every message box of this process on a helper thread while it
// lives, and records what the boxes showed.
#pragma once

#include <windows.h>

#include <atomic>
#include <mutex>
#include <string>
#include <thread>
#include <vector>

class MessageBoxAnswerer {
public:
    struct Box {
        std::string caption, text;
        bool exclamation = false; // shows the exclamation icon
    };

    explicit MessageBoxAnswerer(int button = IDOK) : m_button(button), m_thread([this] { Loop(); }) {}
    ~MessageBoxAnswerer() {
        m_done = true;
        m_thread.join();
    }
    std::vector<Box> boxes() {
        std::lock_guard<std::mutex> lock(m_mutex);
        return m_boxes;
    }

private:
    void Loop() {
        DWORD pid = ::GetCurrentProcessId();
        while (!m_done) {
            HWND box = nullptr;
            while ((box = ::FindWindowExA(nullptr, box, "#32770", nullptr))) {
                DWORD owner = 0;
                ::GetWindowThreadProcessId(box, &owner);
                HWND text = ::GetDlgItem(box, 0xFFFF);
                if (owner != pid || !text || !::IsWindowVisible(box) || box == m_last)
                    continue;
                Box seen;
                char buffer[1024] = "";
                ::GetWindowTextA(box, buffer, sizeof buffer);
                seen.caption = buffer;
                ::SendMessageA(text, WM_GETTEXT, sizeof buffer, reinterpret_cast<LPARAM>(buffer));
                seen.text = buffer;
                seen.exclamation = ::GetDlgItem(box, 0x0440) != nullptr; // the icon control
                {
                    std::lock_guard<std::mutex> lock(m_mutex);
                    m_boxes.push_back(seen);
                }
                m_last = box;
                ::PostMessageA(box, WM_COMMAND, MAKEWPARAM(m_button, BN_CLICKED),
                               reinterpret_cast<LPARAM>(::GetDlgItem(box, m_button)));
            }
            ::Sleep(10);
        }
    }

    int m_button;
    std::atomic<bool> m_done{false};
    std::mutex m_mutex;
    std::vector<Box> m_boxes;
    HWND m_last = nullptr;
    std::thread m_thread;
};
