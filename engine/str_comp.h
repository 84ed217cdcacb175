// How alike two words are, from 0 (nothing in common) to 1 (equal): a Jaro-Winkler
// comparator in the strcmp95 tradition. Close-match searching and the "did you
// mean" suggestions both rank words with it.
#pragma once

#include <array>
#include <cstdint>
#include <string>
#include <string_view>

namespace kvx {

class TkvcStrComp2k {
public:
    // Characters compared: at most this many from the start of each string.
    static constexpr size_t kMaxLength = 60;

    TkvcStrComp2k();

    const std::string& Target() const { return target_; }
    void SetTarget(std::string_view target) { target_.assign(target); }
    const std::string& Candidate() const { return candidate_; }
    void SetCandidate(std::string_view candidate) { candidate_.assign(candidate); }
    bool UpperCaseBoth() const { return upperCaseBoth_; }
    void SetUpperCaseBoth(bool value) { upperCaseBoth_ = value; }
    bool LongStringAdjust() const { return true; }
    long double Similarity() const { return similarity_; }

    // The weight of a similar-character pair (codes 0 to 90), 0 for any other pair.
    int32_t Weight(unsigned char a, unsigned char b) const;

    // Compares Target with Candidate, stores and returns the similarity.
    long double Compare();
    // The same with the candidate given directly, for loops over a word list.
    long double CompareWith(std::string_view candidate);

private:
    std::string target_;
    std::string candidate_;
    bool upperCaseBoth_ = false;
    long double similarity_ = 0;
};

}  // namespace kvx
