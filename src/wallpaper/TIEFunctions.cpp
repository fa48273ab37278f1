#include "wallpaper/TIEFunctions.h"

#include "wallpaper/ImageHeader.h"

TIEFunctions::TIEFunctions(Prompts& prompts) : m_prompts(prompts) {}

QSize TIEFunctions::GetImageSize(const QString& fileName) const {
    const QSize size = ReadImageHeaderSize(fileName);
    return size.isValid() ? size : QSize(0, 0);
}

void TIEFunctions::LogError(const QString& text) const {
    if (OnErrorLog)
        OnErrorLog(text);
}
