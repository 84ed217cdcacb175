#include "engine/porter_stem.h"

#include <gtest/gtest.h>

namespace kvx {
namespace {

struct Case {
    const char* word;
    const char* stem;
};

void ExpectStems(const std::vector<Case>& cases) {
    for (const Case& c : cases) EXPECT_EQ(StemWord(c.word), c.stem) << c.word;
}

TEST(Stem, KingJamesEndings) {
    ExpectStems({
        {"goeth", "go"},         {"walketh", "walk"},   {"hearest", "hear"},     {"believeth", "believ"},
        {"exceedingly", "exceed"}, {"lovingly", "love"}, {"loved", "love"},       {"running", "run"},
        {"agreeth", "agre"},     {"callousness", "callou"}, {"ies", "ie"},       {"lovedst", "love"},
        // Nothing measurable before -eest, and no other rule for it.
        {"seest", "seest"},
    });
}

TEST(Stem, ReferenceVocabularyStillStemsAsPorterDid) {
    ExpectStems({
        {"caresses", "caress"}, {"ponies", "poni"},       {"cats", "cat"},           {"feed", "feed"},
        {"agreed", "agre"},     {"plastered", "plaster"}, {"bled", "bled"},          {"motoring", "motor"},
        {"sing", "sing"},       {"conflated", "conflat"}, {"troubled", "troubl"},    {"sized", "size"},
        {"hopping", "hop"},     {"falling", "fall"},      {"hissing", "hiss"},       {"fizzed", "fizz"},
        {"filing", "file"},     {"happy", "happi"},       {"sky", "sky"},            {"relational", "relat"},
        {"conditional", "condit"}, {"rational", "ration"}, {"digitizer", "digit"},  {"conformabli", "conform"},
        {"radicalli", "radic"}, {"differentli", "differ"}, {"vileli", "vile"},       {"analogousli", "analog"},
        {"predication", "predic"}, {"operator", "oper"},  {"feudalism", "feudal"},   {"decisiveness", "decis"},
        {"hopefulness", "hope"}, {"formaliti", "formal"}, {"sensitiviti", "sensit"}, {"sensibiliti", "sensibl"},
        {"triplicate", "triplic"}, {"formative", "form"}, {"electrical", "electr"},  {"goodness", "good"},
        {"allowance", "allow"}, {"inference", "infer"},   {"gyroscopic", "gyroscop"}, {"adjustable", "adjust"},
        {"replacement", "replac"}, {"adoption", "adopt"}, {"homologous", "homolog"}, {"probate", "probat"},
        {"rate", "rate"},       {"cease", "ceas"},        {"controll", "control"},   {"roll", "roll"},
        {"archaeology", "archaeolog"},
    });
}

TEST(Stem, DeparturesFromTheReference) {
    ExpectStems({
        {"abundantly", "abund"},  // -antli is known to step 2
        {"graciously", "graciou"},  // -ousli becomes -ou, and -ou needs m > 1 to go
        {"ated", "at"},           // the step-1b tail leaves stems under three letters alone
        {"fleest", "fleest"},
        {"saying", "sai"},
    });
}

TEST(Stem, ShortAndEdgeWordsStaySafe) {
    ExpectStems({{"", ""}, {"a", "a"}, {"is", "is"}, {"as", "as"}, {"sss", "sss"}, {"aed", "a"}, {"yed", "yed"}});
    // In place, reporting the new last position of a stem inside a larger buffer.
    char buffer[] = "xxwalkethxx";
    EXPECT_EQ(Stem(buffer, 2, 8), 5);
    EXPECT_EQ(std::string(buffer, 6), "xxwalk");
}

}  // namespace
}  // namespace kvx
