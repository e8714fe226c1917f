#pragma once
// What the media checker reports: each finding names its file on the medium and, for info.txt, its line.
// Every text is CP932, as the rest of the product; the front ends convert for their console.

#include <cstddef>
#include <string>
#include <vector>

enum class Severity { Error, Warning };

// One per text of the table in CheckTexts.cpp; %1, %2, %3 take the arguments.
enum class TextId {
    // errors
    InfoMissing,
    BrokenEntryLine,
    DiskNotGiven,
    ArchiveMissing,
    LooseFileMissing,
    PictureMissing,
    PictureUnpaintable,
    ArchiveUnreadable,
    ArchiveNotLzh,
    ArchiveBrokenHeader,
    ArchiveMethod,
    ArchiveUnsafeName,
    ArchiveOutsideName,
    ArchiveTruncated,
    ArchiveBrokenData,
    ArchiveCrc,
    ArchiveEmpty,
    SignatureTampered,
    ChecksumListMalformed,
    ChecksumMismatch,
    ChecksumNotListed,
    // warnings
    SkippedLine,
    EditionArchiveMissing,
    PromptNeverEnds,
    TextTrailingTab,
    TextTooManyTabs,
    NotANumber,
    MasterAdjustNoEffect,
    CategoryNoEffect,
    SettingsFileEmpty,
    SettingsFileNotNull,
    SignatureMissing,
    SignatureUntrusted,
    SignatureNoVerifier,
    ChecksumListMissing,
    // pieces of other texts
    LabelError,
    LabelWarning,
    WhereMedium,
    WhereDisk,
    SummaryClean,
    SummaryWarnings,
    SummaryErrors,
    SummaryCounts,
    SummaryEditions,
    SummaryNoStart,
    SummarySigned,
    SignerNamed,
    EditionListNone,
    EditionItem,
    EditionKeyword,
    EditionMakerOne,
    EditionMakerOther,
    ListSeparator,
    Usage,
    // the preview
    PreviewHeading,
    PreviewOnDisk,
    PreviewFolder,
    PreviewAdded,
    PreviewReplaced,
    PreviewKey,
    PreviewKeyAbsent,
    PreviewValue,
    PreviewSettingsFile,
    PreviewKeyword,
    PreviewEmptyKeyword,
    PreviewNotIdentified,
    PreviewBrokenLine,
    PreviewStart,
    PreviewTemplateKept,
    PreviewTemplateKeptUndated,
    PreviewTemplateOld,
    PreviewTemplateMissing,
    PreviewSizeConversion,
    PreviewTypeConversion,
    PreviewMaster,
    PreviewNoMasters,
    PreviewMastersUnseen,
    PreviewUnseen,
    PreviewMessage,
    PreviewNothingWritten,
};

struct Finding {
    Severity severity = Severity::Error;
    TextId id = TextId::InfoMissing;
    size_t disk = 0;               // index of the disk that holds file
    std::string file;              // its name on the medium
    size_t line = 0;               // line of info.txt; 0 when the finding has none
    std::vector<std::string> args; // %1, %2, %3
};

// The text with its arguments put in; an argument is never read as a pattern.
std::string FormatText(TextId id, const std::vector<std::string>& args = {});
std::string FindingText(const Finding& finding);
std::string SeverityLabel(Severity severity);
