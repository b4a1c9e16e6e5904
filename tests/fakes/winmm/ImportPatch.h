#pragma once
#include <windows.h>

// Points one imported function of `module` (by DLL and function name) at
// `replacement`; the address it held goes to *original. False when the
// module does not import it by name.
bool PatchImport(HMODULE module, const char* dllName, const char* function, void* replacement,
                 void** original);

// Patches the running program's own import; the original as the typed
// function pointer, null when the program does not import it.
template <typename Function>
Function PatchProgramImport(const char* dllName, const char* function, Function replacement) {
    void* original = nullptr;
    if (!PatchImport(GetModuleHandleA(nullptr), dllName, function,
                     reinterpret_cast<void*>(replacement), &original)) {
        return nullptr;
    }
    return reinterpret_cast<Function>(original);
}
