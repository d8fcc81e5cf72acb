#pragma once

// Where each of the program's settings is read at start and written at closing. The store is
// shared with earlier versions of the program, so both orders stay as they have always been;
// each page declares its own settings at their places here.
namespace SettingOrder {

// The order of reading, which is the order of applying at start.
enum Read {
    ReadWindowState,
    ReadLeft,
    ReadTop,
    ReadWidth,
    ReadHeight,
    ReadSplitterPos,
    ReadLogBookSplitterPos,
    ReadLeftMarginMM,
    ReadRightMarginMM,
    ReadTopMarginMM,
    ReadBottomMarginMM,
    ReadFontSize,
    ReadOrientation,
    ReadPrinterSwapCols,
    ReadPrintType,
    ReadTreeViewRoot,
    ReadShowAll,
    ReadCurrentPath,
    ReadDefaultNativeLanguage,
    ReadDefaultForeignLanguage,
    ReadLanguageFile,
    ReadShowSoundTools,
    ReadShowTypeColBtn,
    ReadViewStyle,
    ReadFirstPage, // a step: the unit manager is shown and the test variants are listed
    ReadTestVariant,
};

// The order of writing at closing.
enum Write {
    WriteWindowState,
    WriteLeft,
    WriteTop,
    WriteWidth,
    WriteHeight,
    WriteSplitterPos,
    WriteLogBookSplitterPos,
    WriteViewStyle,
    WriteDefaultNativeLanguage,
    WriteDefaultForeignLanguage,
    WriteLanguageFile,
    WriteTreeViewRoot,
    WriteShowAll,
    WriteCurrentPath,
    WriteShowSoundTools,
    WriteShowTypeColBtn,
    WriteTestVariant,
    WriteLeftMarginMM,
    WriteRightMarginMM,
    WriteTopMarginMM,
    WriteBottomMarginMM,
    WriteFontSize,
    WriteOrientation,
    WritePrinterSwapCols,
    WritePrintType,
};

// A setting's places in the two orders: a Read and a Write, or positions of a list of its own.
struct Slot
{
    int read;
    int write;
};

} // namespace SettingOrder
