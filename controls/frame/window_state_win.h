#pragma once
// A control's state record lives in its window's user-data slot from
// WM_NCCREATE to WM_NCDESTROY.
#include <windows.h>

#include <new>
#include <utility>

#include "controls/frame/state_memory_win.h"

template <typename State>
State* WindowState(HWND window) {
    return reinterpret_cast<State*>(GetWindowLongPtrA(window, GWLP_USERDATA));
}

// Null when no memory is left: the window then lives on without a state.
template <typename State, typename... Args>
State* AttachWindowState(HWND window, Args&&... args) {
    void* memory = AllocateStateMemory(sizeof(State));
    if (!memory) return nullptr;
    State* state = new (memory) State{std::forward<Args>(args)...};
    SetWindowLongPtrA(window, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(state));
    return state;
}

template <typename State>
void FreeWindowState(State* state) {
    state->~State();
    FreeStateMemory(state);
}

template <typename State>
void DetachWindowState(HWND window, State* state) {
    FreeWindowState(state);
    SetWindowLongPtrA(window, GWLP_USERDATA, 0);
}

inline int ControlId(HWND window) { return static_cast<int>(GetWindowLongA(window, GWL_ID)); }
