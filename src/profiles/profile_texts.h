// The language strings of profiles and unattended runs (block 21000-21999).
#pragma once

namespace profiles {

enum ProfileTexts {
    kLanguageName = 21000,  // the language of the texts, written into a profile's header

    // Problems of a profile, each shown after "Zeile N:".
    kLine = 21100,
    kCannotRead = 21101,
    kFileTooLarge = 21102,
    kBinaryData = 21103,
    kNotAProfile = 21104,
    kUnknownFormat = 21105,
    kLineTooLong = 21106,
    kTooManyLines = 21107,
    kTruncated = 21108,
    kAfterEnd = 21109,
    kNoSettingLine = 21110,
    kPageTwice = 21111,
    kControlTwice = 21112,
    kUnknownPage = 21113,
    kUnknownControl = 21114,
    kBadEscape = 21115,
    kNotOnOrOff = 21116,
    kOutOfRange = 21117,  // 21117 min "-" max ":" number
    kNotAnItem = 21118,
    kNoNumber = 21119,
    kMoreProblems = 21120,
    kNoFormat = 21121,
    kOtherLanguage = 21123,  // 21123 "saved" 21124 "now"
    kOtherLanguageNow = 21124,

    // The preview before applying.
    kPreviewCaption = 21200,
    kPreviewIntro = 21201,
    kColumnPage = 21202,
    kColumnSetting = 21203,
    kColumnNow = 21204,
    kColumnProfile = 21205,
    kApplyButton = 21206,
    kStateOn = 21207,
    kStateOff = 21208,
    kEmptyText = 21209,
    kPreviewProfile = 21210,
    kPreviewCount = 21211,
    kNothingToChange = 21212,
    kPreviewSkipped = 21213,
    kUnreadable = 21214,

    // The menu items and their dialogs and messages.
    kMenuSave = 21300,
    kMenuApply = 21301,
    kFilterProfiles = 21302,
    kFilterAll = 21303,
    kSaveTitle = 21304,
    kApplyTitle = 21305,
    kSaved = 21306,
    kCannotWrite = 21307,
    kCannotApply = 21308,
    kApplied = 21309,
    kAppliedWithFailures = 21310,
    kApplyQuestion = 21311,
    kDefaultFileName = 21312,

    // The log of a run.
    kLogProfile = 21400,
    kLogPage = 21401,  // 21401 "caption" 21402
    kLogPageEnd = 21402,
    kLogFrom = 21403,  // "caption" 21403 "now" 21404 "profile"
    kLogTo = 21404,
    kLogNotHere = 21405,
    kLogSaveFailed = 21406,
    kLogRefused = 21407,
    kLogNothingChanged = 21408,
    kLogDone = 21409,
    kLogDoneWithFailures = 21410,
    kLogCommandLine = 21411,
    kLogNoAdministrator = 21412,
    kLogPasswordMissing = 21413,
    kLogBadArguments = 21414,
    kLogMessage = 21415,
    kLogQuestion = 21416,  // 21416 "text" 21417 answer
    kLogAnswer = 21417,
    kLogNoRule = 21418,
    kLogJournalRefused = 21419,
    kLogExitCode = 21420,
    kLogPreset = 21421,
    kLogUnknownOption = 21422,
    kLogUsage = 21423,
    kLogLogNotWritten = 21424,
};

}  // namespace profiles
