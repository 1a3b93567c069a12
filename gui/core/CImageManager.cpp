#include "gui/core/CImageManager.hpp"

#include "foundation/basics/CHeldReference.hpp"
#include "foundation/basics/CStringTokeniser.hpp"
#include "foundation/collections/TCountedSwap.hpp"
#include "foundation/host/CFileManager.hpp"
#include "foundation/host/CTrace.hpp"
#include "foundation/io/CTextStream.hpp"
#include "foundation/io/CXMLDocument.hpp"
#include "foundation/io/CXMLNode.hpp"
#include "gui/core/CBaseImage.hpp"
#include "gui/core/CJPEGImage.hpp"
#include "gui/core/CPNGImage.hpp"
#include "gui/core/CTGAImage.hpp"
#include "gui/core/IImage.hpp"

#include <cstdlib>
#include <memory>

namespace Brivant
{
namespace GUI
{
namespace Graphics
{
using ::Brivant::Basics::CClass;
using ::Brivant::Basics::CHeldReference;
using ::Brivant::Basics::CString;
using ::Brivant::Basics::CStringTokeniser;
using ::Brivant::Basics::CSystemString;
using ::Brivant::Collections::TCountedPointerArray;
using ::Brivant::Collections::swapCounted;
using ::Brivant::Host::CFileManager;
using ::Brivant::Host::CTrace;
using ::Brivant::IO::CTextStream;
using ::Brivant::IO::CXMLDocument;
using ::Brivant::IO::CXMLNode;

namespace
{
const char* const kRootName = "image_manager_root";
const char* const kImagesName = "images";
const char* const kAnimationsName = "animations";
const char* const kEntryName = "image";
const char* const kRelativePath = "relative_path";
const char* const kFileName = "filename";
const char* const kReferenceName = "reference_name";
const char* const kFrameHeight = "frame_height";
const char* const kNumberOfFrames = "number_of_frames";
// Stands for the image folder itself in a relative path.
const char* const kFolderItself = "{}";

// The registry's state, made on the first use after initialise.
struct SRegistry
{
    SRegistry() : folder(" ") {}

    CSystemString folder;
    TCountedPointerArray<CImageManager::CImageReference> images;
    TCountedPointerArray<CImageManager::CAnimationReference> animations;
};

bool s_open = false;
SRegistry* s_registry = nullptr;

// Null while the registry is closed.
SRegistry* registry()
{
    if (!s_open)
        return nullptr;
    if (s_registry == nullptr)
        s_registry = new SRegistry();
    return s_registry;
}

// The existing state only, for look-ups that need not make it.
SRegistry* existingRegistry() { return s_open ? s_registry : nullptr; }

bool isBlank(const CString& text) { return text.isAllWhiteSpace(); }

// folder \ relativePath with '/' turned into '\'; an unset folder adds nothing.
CSystemString imageFolder(const CSystemString& folder, const CString& relativePath)
{
    CSystemString path(folder);
    if (relativePath != kFolderItself)
    {
        if (isBlank(folder))
            path = relativePath.getString();
        else
            path.appendPath(relativePath);
    }
    path.replaceForwardSlashes();
    return path;
}

// A copy of the attribute's value; false when the element lacks it.
bool readAttribute(const CXMLNode& node, const char* name, CString& value)
{
    if (node.getAttribute(CString(name)) == nullptr)
        return false;
    value = node.getAttributeValue(CString(name));
    return true;
}

void addEntryAttributes(CXMLNode& element, const CImageManager::CImageReference& entry)
{
    element.addAttribute(CString(kRelativePath), entry.getRelativePath());
    element.addAttribute(CString(kFileName), entry.getFileName());
    element.addAttribute(CString(kReferenceName), entry.getReferenceName());
}

CString numberText(long value)
{
    CString text("");
    text.setStringWithFormat("%li", value);
    return text;
}

// The tokens of one skin entry with their leading blanks removed; false unless there are exactly count.
bool splitEntry(const char* line, long count, CString* tokens)
{
    CStringTokeniser tokeniser(line, ',');
    if (tokeniser.getNumberOfTokens() != count)
        return false;
    for (long index = 0; index < count; ++index)
    {
        if (!tokeniser.getNextToken(tokens[index]))
            return false;
        tokens[index].removeLeadingWhiteSpace();
    }
    return true;
}
// The first entry registered under `name`, or null.
template <class Entry>
Entry* findByName(const TCountedPointerArray<Entry>& entries, const CString& name)
{
    for (long index = 0; index < entries.getInsertIndex(); ++index)
    {
        Entry* entry = entries.getElementAt(index);
        if (entry != nullptr && entry->getReferenceName() == name)
            return entry;
    }
    return nullptr;
}

// Appends a copy of every entry's name, in the order they were registered.
template <class Entry>
void appendNames(const TCountedPointerArray<Entry>& entries, TCountedPointerArray<CString>& out)
{
    for (long index = 0; index < entries.getInsertIndex(); ++index)
    {
        if (const Entry* entry = entries.getElementAt(index))
        {
            auto* name = new CString(entry->getReferenceName());
            const CHeldReference held(name);
            out.addElement(name);
        }
    }
}

} // namespace

// ---- CImageReference ----

CImageManager::CImageReference::CImageReference()
    : m_image(nullptr), m_referenceName(" "), m_relativePath(" "), m_fileName(" ")
{
}

CImageManager::CImageReference::CImageReference(IImage* image, const CString& referenceName,
                                                 const CSystemString& relativePath, const CSystemString& fileName)
    : m_image(nullptr), m_referenceName(referenceName), m_relativePath(relativePath), m_fileName(fileName)
{
    setImage(image);
}

CImageManager::CImageReference::CImageReference(const CImageReference& other)
    : CCountedObject(other), m_image(nullptr), m_referenceName(other.m_referenceName),
      m_relativePath(other.m_relativePath), m_fileName(other.m_fileName)
{
    setImage(other.m_image);
}

CImageManager::CImageReference& CImageManager::CImageReference::operator=(const CImageReference& other)
{
    if (this != &other)
    {
        setImage(other.m_image);
        m_referenceName = other.m_referenceName;
        m_relativePath = other.m_relativePath;
        m_fileName = other.m_fileName;
    }
    return *this;
}

CImageManager::CImageReference::~CImageReference() { setImage(nullptr); }

void CImageManager::CImageReference::setImage(IImage* image)
{
    swapCounted(m_image, image);
}

// ---- CAnimationReference ----

CImageManager::CAnimationReference::CAnimationReference() : m_frameHeight(0), m_numberOfFrames(0) {}

CImageManager::CAnimationReference::CAnimationReference(const CImageReference& image, long frameHeight,
                                                        long numberOfFrames)
    : m_image(image), m_frameHeight(frameHeight), m_numberOfFrames(numberOfFrames)
{
}

CImageManager::CAnimationReference::~CAnimationReference() = default;

// ---- The registry ----

void CImageManager::initialise() { s_open = true; }

void CImageManager::releaseImageManager()
{
    s_open = false;
    SRegistry* released = s_registry;
    s_registry = nullptr;
    delete released;
}

bool CImageManager::isInitialised() { return s_open; }

void CImageManager::setPath(const CSystemString& folder)
{
    if (SRegistry* state = registry())
        state->folder = folder;
}

CSystemString CImageManager::getPath()
{
    const SRegistry* state = existingRegistry();
    return state != nullptr ? state->folder : CSystemString(" ");
}

bool CImageManager::addImage(const CString& relativePath, const CString& fileName, const CString& referenceName)
{
    try
    {
        SRegistry* state = registry();
        if (state == nullptr)
            return false;
        IImage* image = createImage(imageFolder(state->folder, relativePath), fileName);
        if (image == nullptr)
            return false;
        const CHeldReference heldImage(image);
        auto* entry = new CImageReference(image, referenceName, CSystemString(relativePath), CSystemString(fileName));
        const CHeldReference heldEntry(entry);
        state->images.addElement(entry);
        return true;
    }
    catch (...)
    {
        return false;
    }
}

bool CImageManager::addAnimation(const CString& relativePath, const CString& fileName, const CString& referenceName,
                                 long frameHeight, long numberOfFrames)
{
    try
    {
        SRegistry* state = registry();
        if (state == nullptr)
            return false;
        IImage* image = createImage(imageFolder(state->folder, relativePath), fileName);
        if (image == nullptr)
            return false;
        const CHeldReference heldImage(image);
        const CImageReference entry(image, referenceName, CSystemString(relativePath), CSystemString(fileName));
        if (frameHeight == -1 || numberOfFrames == -1)
        {
            // Square frames: a picture that failed to load has width 0 and so no frames.
            const long width = image->getImageSize().getWidth();
            const long height = image->getImageSize().getHeight();
            frameHeight = width;
            numberOfFrames = width > 0 ? height / width : 0;
        }
        auto* strip = new CAnimationReference(entry, frameHeight, numberOfFrames);
        const CHeldReference heldStrip(strip);
        state->animations.addElement(strip);
        return true;
    }
    catch (...)
    {
        return false;
    }
}

CImageManager::CImageReference* CImageManager::getImageReference(const CString& name)
{
    const SRegistry* state = existingRegistry();
    return state == nullptr ? nullptr : findByName(state->images, name);
}

CImageManager::CAnimationReference* CImageManager::getAnimationReference(const CString& name)
{
    const SRegistry* state = existingRegistry();
    return state == nullptr ? nullptr : findByName(state->animations, name);
}

IImage* CImageManager::getImage(const CString& name)
{
    const CImageReference* entry = getImageReference(name);
    return entry != nullptr ? entry->getImage() : nullptr;
}

IImage* CImageManager::getAnimation(const CString& name, long& frameHeight, long& numberOfFrames)
{
    const CAnimationReference* entry = getAnimationReference(name);
    if (entry == nullptr)
        return nullptr;
    frameHeight = entry->getFrameHeight();
    numberOfFrames = entry->getNumberOfFrames();
    return entry->getImage();
}

CString CImageManager::getReferenceName(const IImage* image)
{
    const SRegistry* state = existingRegistry();
    if (state == nullptr || image == nullptr)
        return CString(" ");
    for (long index = 0; index < state->images.getInsertIndex(); ++index)
    {
        const CImageReference* entry = state->images.getElementAt(index);
        if (entry != nullptr && entry->getImage() == image)
            return entry->getReferenceName();
    }
    for (long index = 0; index < state->animations.getInsertIndex(); ++index)
    {
        const CAnimationReference* entry = state->animations.getElementAt(index);
        if (entry != nullptr && entry->getImage() == image)
            return entry->getReferenceName();
    }
    return CString(" ");
}

void CImageManager::getImageNames(TCountedPointerArray<CString>& out)
{
    if (const SRegistry* state = existingRegistry())
        appendNames(state->images, out);
}

void CImageManager::getAnimationNames(TCountedPointerArray<CString>& out)
{
    if (const SRegistry* state = existingRegistry())
        appendNames(state->animations, out);
}

void CImageManager::getAllNames(TCountedPointerArray<CString>& out)
{
    getImageNames(out);
    getAnimationNames(out);
}

void CImageManager::clearImages()
{
    if (SRegistry* state = existingRegistry())
        state->images.clearArray();
}

void CImageManager::clearAnimations()
{
    if (SRegistry* state = existingRegistry())
        state->animations.clearArray();
}

void CImageManager::clear()
{
    clearImages();
    clearAnimations();
}

// ---- The image-set XML file ----

bool CImageManager::saveToFile(const CSystemString& path)
{
    try
    {
        CXMLDocument document;
        CXMLNode* root = new CXMLNode(CString(kRootName), nullptr);
        // The document holds the root from here on, whatever happens next.
        document.setRootNode(root);
        return writeToXMLNode(root) && document.writeDocument(path);
    }
    catch (...)
    {
        return false;
    }
}

bool CImageManager::writeToXMLNode(CXMLNode* node)
{
    if (node == nullptr)
        return false;
    try
    {
        node->setNodeName(CString(kRootName));
        CXMLNode* images = node->addChildNode(CString(kImagesName));
        CXMLNode* animations = node->addChildNode(CString(kAnimationsName));
        const SRegistry* state = existingRegistry();
        if (state == nullptr)
            return true;
        for (long index = 0; index < state->images.getInsertIndex(); ++index)
        {
            if (const CImageReference* entry = state->images.getElementAt(index))
                addEntryAttributes(*images->addChildNode(CString(kEntryName)), *entry);
        }
        for (long index = 0; index < state->animations.getInsertIndex(); ++index)
        {
            const CAnimationReference* entry = state->animations.getElementAt(index);
            if (entry == nullptr)
                continue;
            CXMLNode* element = animations->addChildNode(CString(kEntryName));
            addEntryAttributes(*element, entry->getImageReference());
            element->addAttribute(CString(kFrameHeight), numberText(entry->getFrameHeight()));
            element->addAttribute(CString(kNumberOfFrames), numberText(entry->getNumberOfFrames()));
        }
        return true;
    }
    catch (...)
    {
        return false;
    }
}

bool CImageManager::loadFromXMLFile(const CSystemString& path)
{
    try
    {
        CXMLDocument document;
        if (!document.readDocument(path))
            return false;
        return readFromXMLNode(document.getRootNode());
    }
    catch (...)
    {
        return false;
    }
}

bool CImageManager::readFromXMLNode(const CXMLNode* node)
{
    if (node == nullptr || node->getNodeName() != kRootName || !isInitialised())
        return false;
    try
    {
        // Element names below the two lists are not checked: every child is an entry.
        if (const CXMLNode* images = node->getChildNode(CString(kImagesName)))
        {
            for (long index = 0; index < images->getNumberOfChildNodes(); ++index)
            {
                const CXMLNode* element = images->getChildNode(index);
                CString relativePath(""), fileName(""), referenceName("");
                const bool complete = element != nullptr && readAttribute(*element, kRelativePath, relativePath) &&
                                      readAttribute(*element, kFileName, fileName) &&
                                      readAttribute(*element, kReferenceName, referenceName);
                if (!complete || !addImage(relativePath, fileName, referenceName))
                    CTrace::trace("Failed to load image with filename %s", fileName.getString());
            }
        }
        if (const CXMLNode* animations = node->getChildNode(CString(kAnimationsName)))
        {
            for (long index = 0; index < animations->getNumberOfChildNodes(); ++index)
            {
                const CXMLNode* element = animations->getChildNode(index);
                CString relativePath(""), fileName(""), referenceName(""), frameHeight(""), frames("");
                const bool complete = element != nullptr && readAttribute(*element, kRelativePath, relativePath) &&
                                      readAttribute(*element, kFileName, fileName) &&
                                      readAttribute(*element, kReferenceName, referenceName) &&
                                      readAttribute(*element, kFrameHeight, frameHeight) &&
                                      readAttribute(*element, kNumberOfFrames, frames);
                if (!complete || !addAnimation(relativePath, fileName, referenceName,
                                               std::atol(frameHeight.getString()), std::atol(frames.getString())))
                    CTrace::trace("Failed to load animation with filename %s", fileName.getString());
            }
        }
    }
    catch (...)
    {
        // Whatever was registered stays; the root was accepted.
    }
    return true;
}

// ---- The skin text file ----

bool CImageManager::loadFromDefinitionFile(const CSystemString& path)
{
    enum ESection
    {
        kNoSection,
        kImageSection,
        kAnimationSection
    };
    try
    {
        CTextStream stream;
        char line[CTextStream::kLineSize] = {};
        bool isSkin = stream.openStream(path, CTextStream::kReading) && !stream.isEndOfFile();
        if (isSkin)
        {
            stream.readLine(line, CTextStream::kLineSize);
            isSkin = CString(line) == "<start_skin>";
        }
        if (!isSkin)
        {
            stream.closeStream();
            return loadFromXMLFile(path);
        }

        bool failed = false;
        ESection section = kNoSection;
        while (!stream.isEndOfFile())
        {
            stream.readLine(line, CTextStream::kLineSize);
            // The read that finds the end gives an empty line that is not in the file.
            if (line[0] == '\0' && stream.isEndOfFile())
                break;
            // Read trimmed; traced as read.
            CString text(line);
            text.removeTrailingAndLeadingWhiteSpace();
            if (text.characterAt(0) == '#')
                continue;
            if (text == "<end_skin>")
                break;
            if (text == "<images>")
            {
                section = kImageSection;
                continue;
            }
            if (text == "<animations>")
            {
                section = kAnimationSection;
                continue;
            }
            if (section == kImageSection)
            {
                CString tokens[3] = {CString(""), CString(""), CString("")};
                if (!splitEntry(text.getString(), 3, tokens))
                {
                    CTrace::trace("Failed to load image with buffer %s", line);
                    failed = true;
                }
                else if (!addImage(tokens[0], tokens[1], tokens[2]))
                {
                    CTrace::trace("Failed to load image with filename %s", tokens[1].getString());
                    failed = true;
                }
            }
            else if (section == kAnimationSection)
            {
                CString tokens[5] = {CString(""), CString(""), CString(""), CString(""), CString("")};
                if (!splitEntry(text.getString(), 5, tokens) ||
                    !addAnimation(tokens[0], tokens[1], tokens[2], std::atol(tokens[3].getString()),
                                  std::atol(tokens[4].getString())))
                {
                    CTrace::trace("Failed to load animation with buffer %s", line);
                    failed = true;
                }
            }
            else
            {
                CTrace::trace("Unknown line with buffer %s", line);
            }
        }
        return !failed;
    }
    catch (...)
    {
        CTrace::trace("%s", "Caught unknown exception in the ImageManager::loadFromDefinitionFile function");
        return false;
    }
}

// ---- The factory ----

IImage* CImageManager::createImage(const CSystemString& path)
{
    try
    {
        if (!CFileManager::fileExists(path))
            return nullptr;
        if (CBaseImage::endsWithIgnoringCase(path, "jpg") || CBaseImage::endsWithIgnoringCase(path, "jpeg"))
            return new CJPEGImage(path);
        if (CBaseImage::endsWithIgnoringCase(path, "tga"))
            return new CTGAImage(path);
        if (CBaseImage::endsWithIgnoringCase(path, "png"))
            return new CPNGImage(path);
        return nullptr;
    }
    catch (...)
    {
        return nullptr;
    }
}

IImage* CImageManager::createImage(const CSystemString& folder, const CString& fileName)
{
    if (isBlank(folder))
        return createImage(CSystemString(fileName));
    CSystemString path(folder);
    path.appendPath(fileName);
    return createImage(path);
}
} // namespace Graphics
} // namespace GUI
} // namespace Brivant
