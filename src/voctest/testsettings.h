#pragma once

#include <QString>
#include <optional>

// The kind of test a test variant asks for; the numbers are those of the variant's TestType.
// Flash cards are graded by the learner himself instead of judged.
enum class TestType { Standard = 0, MultipleChoice = 1, Comprehension = 2, FlashCards = 3 };

// The parameters of one test variant file (".ltf", section "settings"), the one place where
// such files are read and written.
struct TestSettings
{
    static constexpr int WordTypeCount = 11;
    static constexpr quint16 AllWordTypes = (1u << WordTypeCount) - 1;
    static constexpr int DefaultNewPerDay = 20;

    TestType testType = TestType::Standard;
    bool discardNotes = true;
    bool matchCase = false;
    bool useDiscardList = true;
    bool ignoreAccents = false;       // "IgnoreAccents": a variant without the key judges as before
    bool speakMissingSounds = false;  // "SpeakMissingSounds": entries without a sound are spoken
    quint16 wordTypes = AllWordTypes; // bit k: entries of word type k take part
    // Bit k: the file lists word type k. A list naming none takes every type into a test, but
    // is shown and saved as it is.
    quint16 listedWordTypes = AllWordTypes;
    int newPerDay = DefaultNewPerDay; // entries never reviewed that a test of the due words adds a day

    static QString fileExtension(); // ".ltf"

    // Whether entries of this word type take part; types outside 0 to 10 never do.
    bool includesType(int type) const;

    // Bit k is set when the text holds "[k]"; a text naming no type gives all types.
    static quint16 parseWordTypes(const QString &text);
    // Bit k is set when the text holds "[k]".
    static quint16 listedTypes(const QString &text);

    // Reads the variant file; a missing file leaves every setting as it is.
    void load(const QString &path);
    // Writes what the test settings dialog edits, in one atomic save; the description and
    // other keys stay. The keys added later are written only where they are set or were
    // there before, so a variant that never used one keeps its file as it was; with
    // withSpeech false "SpeakMissingSounds" is left as it is. Throws IniWriteError.
    void save(const QString &path, bool withSpeech) const;

    // The description a variant is listed under; none for a variant without one or with
    // "error", which is not listed.
    static std::optional<QString> listedDescription(const QString &path);
    // The kind of test as the file spells it ("standard" when missing).
    static QString writtenTestType(const QString &path);
    // Gives the variant a new description; every other key stays. Throws IniWriteError.
    static void saveDescription(const QString &path, const QString &description);
    // A new variant: the description and the keys of a standard test of every word type. A
    // file already there keeps its other keys. Throws IniWriteError.
    static void saveNew(const QString &path, const QString &description);
};
