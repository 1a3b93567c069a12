#include "foundation/exceptions/CException.hpp"

namespace Brivant
{
namespace Exceptions
{
using Basics::CClass;
using Basics::CString;

CException::CException(const CString& reason, const CString& functionName, bool /*flag*/)
    : m_errorReason(reason), m_functionName(functionName), m_flag(true)
{
}

CException::~CException() = default;

const CString& CException::getErrorReason() const { return m_errorReason; }
const CString& CException::getFunctionName() const { return m_functionName; }
bool CException::getFlag() const { return m_flag; }
} // namespace Exceptions
} // namespace Brivant
