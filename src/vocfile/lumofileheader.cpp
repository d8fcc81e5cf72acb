#include "vocfile/lumofileheader.h"

#include "vocfile/unitdescriptor.h"

TLumoFileHeader ReadLumoFileHeader(const QString &descriptorPath, const QString &descriptionDefault)
{
    const UnitDescriptor descriptor(descriptorPath);
    TLumoFileHeader header;
    header.fileName = descriptorPath;
    header.fileType =
        descriptor.isVocabularyUnit() ? TLumoFileHeader::VocabularyUnit : TLumoFileHeader::OtherFile;
    header.firstLanguage = descriptor.firstLanguage();
    header.secondLanguage = descriptor.secondLanguage();
    header.description = descriptor.description(descriptionDefault);
    return header;
}
