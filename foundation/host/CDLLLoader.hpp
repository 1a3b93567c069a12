// A shared library loaded at run time, freed with the loader.
#pragma once

#include "foundation/basics/CCountedObject.hpp"
#include "foundation/basics/CString.hpp"

namespace Brivant
{
namespace Host
{
class CDLLLoader : public Basics::CCountedObject
{
    BRIVANT_CLASS_RECORD(CDLLLoader, "CCountedObject");

public:
    CDLLLoader();
    // Loads at once, so it throws as loadDll does.
    explicit CDLLLoader(const Basics::CString& path);
    ~CDLLLoader() override;

    CDLLLoader(const CDLLLoader&) = delete;
    CDLLLoader& operator=(const CDLLLoader&) = delete;

    // Throws CException with the text path + " doesnt exist" when the file cannot be opened for reading,
    // keeping whatever library is held; otherwise frees the library held and loads the new one.
    void loadDll(const Basics::CString& path);
    // Null when the symbol or the library is missing.
    void* getFunctionAddress(const Basics::CString& name) const;
    void unloadDll();

private:
    Basics::CString m_path;
    // The library's HMODULE.
    void* m_module;
};
} // namespace Host
} // namespace Brivant
