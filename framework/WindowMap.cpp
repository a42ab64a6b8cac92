#include "WindowMap.h"

#include <unordered_map>

namespace fw {
namespace {
std::unordered_map<HWND, Window*>& Map() {
    static std::unordered_map<HWND, Window*> map;
    return map;
}
} // namespace

namespace WindowMap {
void Add(HWND hwnd, Window* window) { Map()[hwnd] = window; }
void Remove(HWND hwnd) { Map().erase(hwnd); }
Window* Find(HWND hwnd) {
    auto it = Map().find(hwnd);
    return it == Map().end() ? nullptr : it->second;
}
} // namespace WindowMap

} // namespace fw
