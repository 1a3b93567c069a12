// The process-wide registry of named pictures: single images and film strips (equal frames stacked vertically),
// filled from code, from an image-set XML file or from a skin text file, and written back as XML. It also holds
// the image factory that picks the image class by a file's extension.
// The registry opens with initialise (GUI start) and closes with releaseImageManager (GUI shutdown); its state is
// made on first use in between, and before and after it answers empty. GUI thread only; nothing throws.
#pragma once

#include "foundation/basics/CCountedObject.hpp"
#include "foundation/basics/CString.hpp"
#include "foundation/basics/CSystemString.hpp"
#include "foundation/collections/TCountedPointerArray.hpp"

namespace Brivant
{
namespace IO
{
class CXMLNode;
}

namespace GUI
{
namespace Graphics
{
class IImage;

class CImageManager
{
public:
    // One registered image: it holds one reference on the image.
    class CImageReference : public ::Brivant::Basics::CCountedObject
    {
        BRIVANT_NAMED_CLASS_RECORD(CImageReference, "CImageManager::CImageReference", "CCountedObject");

    public:
        // No image, texts " ".
        CImageReference();
        CImageReference(IImage* image, const ::Brivant::Basics::CString& referenceName,
                        const ::Brivant::Basics::CSystemString& relativePath,
                        const ::Brivant::Basics::CSystemString& fileName);
        // Takes its own reference on the image.
        CImageReference(const CImageReference& other);
        CImageReference& operator=(const CImageReference& other);
        ~CImageReference() override;

        IImage* getImage() const { return m_image; }
        void setImage(IImage* image);
        const ::Brivant::Basics::CString& getReferenceName() const { return m_referenceName; }
        // As given to addImage, "{}" included.
        const ::Brivant::Basics::CSystemString& getRelativePath() const { return m_relativePath; }
        const ::Brivant::Basics::CSystemString& getFileName() const { return m_fileName; }

    private:
        IImage* m_image;
        ::Brivant::Basics::CString m_referenceName;
        ::Brivant::Basics::CSystemString m_relativePath;
        ::Brivant::Basics::CSystemString m_fileName;
    };

    // One registered film strip: an image reference with its frame height and number of frames.
    class CAnimationReference : public ::Brivant::Basics::CCountedObject
    {
        BRIVANT_NAMED_CLASS_RECORD(CAnimationReference, "CImageManager::CAnimationReference", "CCountedObject");

    public:
        // No image, texts " ", both numbers 0.
        CAnimationReference();
        CAnimationReference(const CImageReference& image, long frameHeight, long numberOfFrames);
        ~CAnimationReference() override;

        CAnimationReference(const CAnimationReference&) = delete;
        CAnimationReference& operator=(const CAnimationReference&) = delete;

        const CImageReference& getImageReference() const { return m_image; }
        IImage* getImage() const { return m_image.getImage(); }
        const ::Brivant::Basics::CString& getReferenceName() const { return m_image.getReferenceName(); }
        long getFrameHeight() const { return m_frameHeight; }
        long getNumberOfFrames() const { return m_numberOfFrames; }

    private:
        CImageReference m_image;
        long m_frameHeight;
        long m_numberOfFrames;
    };

    CImageManager() = delete;

    // Opens the registry; creates nothing, so it is safe while a library attaches.
    static void initialise();
    // Drops every entry and the folder, and closes the registry.
    static void releaseImageManager();
    static bool isInitialised();

    // The folder relative paths are resolved against; " " (unset) until setPath, and ignored while closed.
    static void setPath(const ::Brivant::Basics::CSystemString& folder);
    static ::Brivant::Basics::CSystemString getPath();

    // Loads folder \ relativePath \ fileName ("{}" stands for the folder itself; with the folder unset, the
    // relative path alone) and registers it, even when its load failed, as long as the factory made an image.
    static bool addImage(const ::Brivant::Basics::CString& relativePath, const ::Brivant::Basics::CString& fileName,
                         const ::Brivant::Basics::CString& referenceName);
    // As addImage. When either number is -1 both come from the image: frame height = width, frames =
    // height / width, and 0 frames for an image of width 0 (one that failed to load).
    static bool addAnimation(const ::Brivant::Basics::CString& relativePath,
                             const ::Brivant::Basics::CString& fileName,
                             const ::Brivant::Basics::CString& referenceName, long frameHeight,
                             long numberOfFrames);

    // The first entry of that exact name; film strips are not images. Null when there is none.
    static IImage* getImage(const ::Brivant::Basics::CString& name);
    // Writes the outputs only when found.
    static IImage* getAnimation(const ::Brivant::Basics::CString& name, long& frameHeight, long& numberOfFrames);
    static CImageReference* getImageReference(const ::Brivant::Basics::CString& name);
    static CAnimationReference* getAnimationReference(const ::Brivant::Basics::CString& name);
    // The name of the first image entry, else film strip, holding this very object; " " when none.
    static ::Brivant::Basics::CString getReferenceName(const IImage* image);

    // Each appends a new copy of every name, in entry order; getAllNames gives images, then film strips.
    static void getImageNames(Collections::TCountedPointerArray<::Brivant::Basics::CString>& out);
    static void getAnimationNames(Collections::TCountedPointerArray<::Brivant::Basics::CString>& out);
    static void getAllNames(Collections::TCountedPointerArray<::Brivant::Basics::CString>& out);

    static void clearImages();
    static void clearAnimations();
    static void clear();

    // The image-set XML file: root "image_manager_root" with "images" and "animations", one "image" element
    // per entry. Reading answers true once the root is accepted; each failed entry is traced and skipped.
    static bool loadFromXMLFile(const ::Brivant::Basics::CSystemString& path);
    static bool saveToFile(const ::Brivant::Basics::CSystemString& path);
    static bool readFromXMLNode(const IO::CXMLNode* node);
    // Names the node "image_manager_root" and adds the two lists to it; false for a null node.
    static bool writeToXMLNode(IO::CXMLNode* node);
    // The skin text file ("<start_skin>", "<images>", "<animations>", "<end_skin>" and comma-separated entries);
    // a file that does not start with "<start_skin>" is read as XML. True when no entry failed.
    static bool loadFromDefinitionFile(const ::Brivant::Basics::CSystemString& path);

    // The factory: null for a missing file or an extension other than jpg, jpeg, tga or png (any case);
    // otherwise a new unreferenced image that has already tried to load, whether or not it succeeded.
    static IImage* createImage(const ::Brivant::Basics::CSystemString& path);
    // folder \ fileName; a blank folder stands for none.
    static IImage* createImage(const ::Brivant::Basics::CSystemString& folder,
                               const ::Brivant::Basics::CString& fileName);
};
} // namespace Graphics
} // namespace GUI
} // namespace Brivant
