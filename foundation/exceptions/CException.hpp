// The framework's one exception type, thrown by value and caught by reference: an error text and the
// qualified name of the method that failed.
#pragma once

#include "foundation/basics/CCountedObject.hpp"
#include "foundation/basics/CString.hpp"

namespace Brivant
{
namespace Exceptions
{
class CException : public Basics::CCountedObject
{
    BRIVANT_CLASS_RECORD(CException, "CCountedObject");

public:
    // The flag is stored as true whatever is passed; every thrower passes true.
    CException(const Basics::CString& reason, const Basics::CString& functionName, bool flag);
    CException(const CException& other) = default;
    CException& operator=(const CException&) = delete;
    ~CException() override;

    virtual const Basics::CString& getErrorReason() const;
    virtual const Basics::CString& getFunctionName() const;
    virtual bool getFlag() const;

private:
    Basics::CString m_errorReason;
    Basics::CString m_functionName;
    bool m_flag;
};
} // namespace Exceptions
} // namespace Brivant
