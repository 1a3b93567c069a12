// Points one entry of a loaded module's import address table at another function while the object lives, so a
// host can watch what a plug-in asks of the system without changing the plug-in.
#pragma once

class CImportPatch
{
public:
    // One import a host redirects: the library and function a module calls, and the host's stand-in.
    struct SReplacement
    {
        const char* library;
        const char* function;
        void* replacement;
    };

    // Finds the entry through which module calls dllName's function and redirects it to replacement; when the
    // module does not import that function, nothing is patched.
    CImportPatch(void* module, const char* dllName, const char* functionName, void* replacement);
    // Puts the original address back.
    ~CImportPatch();

    CImportPatch(const CImportPatch&) = delete;
    CImportPatch& operator=(const CImportPatch&) = delete;

    bool isPatched() const { return m_entry != nullptr; }
    // The function the entry pointed at before, which the replacement calls on.
    void* original() const { return m_original; }

private:
    void** m_entry = nullptr;
    void* m_original = nullptr;
};
