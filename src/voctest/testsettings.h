#pragma once

#include <QString>

// The kind of test a test variant asks for; the numbers are those of the variant's TestType.
// Flash cards are graded by the learner himself instead of judged.
enum class TestType { Standard = 0, MultipleChoice = 1, Comprehension = 2, FlashCards = 3 };

// The parameters of one test variant file (".ltf", section "settings").
struct TestSettings
{
    static constexpr int WordTypeCount = 11;
    static constexpr quint16 AllWordTypes = (1u << WordTypeCount) - 1;

    TestType testType = TestType::Standard;
    bool discardNotes = true;
    bool matchCase = false;
    bool useDiscardList = true;
    bool ignoreAccents = false;       // "IgnoreAccents": a variant without the key judges as before
    bool speakMissingSounds = false;  // "SpeakMissingSounds": entries without a sound are spoken
    quint16 wordTypes = AllWordTypes; // bit k: entries of word type k take part
    int newPerDay = 20;               // entries never reviewed that a test of the due words adds a day

    // Whether entries of this word type take part; types outside 0 to 10 never do.
    bool includesType(int type) const;

    // Bit k is set when the text holds "[k]"; a text naming no type gives all types.
    static quint16 parseWordTypes(const QString &text);

    // Reads the variant file; a missing file leaves every setting as it is.
    void load(const QString &path);
};
