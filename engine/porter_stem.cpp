// Porter's stemmer in the shape of its reference implementation, adapted to Early
// Modern English: step 1b also knows -eth, -est, -edst and -ingly, "y" is a vowel
// after any consonant, and a word is never stripped down to nothing by a suffix
// it equals.
#include "engine/porter_stem.h"

#include <cstring>

namespace kvx {
namespace {

class Stemmer {
public:
    Stemmer(char* buffer, int first, int last) : b_(buffer), k0_(first), k_(last), j_(last) {}

    int Run() {
        if (k_ <= k0_ + 1) return k_;
        Step1a();
        Step1b();
        // A word cut down to one letter has nothing left for the later steps, which
        // look one letter before the end.
        if (k_ > k0_) {
            Step1c();
            Step2();
            Step3();
            Step4();
            Step5();
        }
        return k_;
    }

private:
    static bool IsAeiou(char c) { return c == 'a' || c == 'e' || c == 'i' || c == 'o' || c == 'u'; }

    bool Cons(int i) const {
        const char c = b_[i];
        if (IsAeiou(c)) return false;
        if (c == 'y') return i == k0_ || IsAeiou(b_[i - 1]);
        return true;
    }

    // The measure of b[k0..j]: 0, 1, or 2 standing for "more than one".
    int M() const {
        int n = 0;
        int i = k0_;
        while (true) {
            if (i > j_) return n;
            if (!Cons(i)) break;
            ++i;
        }
        ++i;
        while (true) {
            while (true) {
                if (i > j_) return n;
                if (Cons(i)) break;
                ++i;
            }
            ++i;
            if (++n > 1) return n;
            while (true) {
                if (i > j_) return n;
                if (!Cons(i)) break;
                ++i;
            }
            ++i;
        }
    }

    bool VowelInStem() const {
        for (int i = k0_; i <= j_; ++i)
            if (!Cons(i)) return true;
        return false;
    }

    bool DoubleC(int j) const {
        if (j < k0_ + 1) return false;
        if (b_[j] != b_[j - 1]) return false;
        return Cons(j);
    }

    bool Cvc(int i) const {
        if (i < k0_ + 2 || !Cons(i) || Cons(i - 1) || !Cons(i - 2)) return false;
        const char ch = b_[i];
        return !(ch == 'w' || ch == 'x' || ch == 'y');
    }

    // True when the word ends in s and is strictly longer than it; j is then the
    // last position before the suffix.
    bool Ends(const char* s) {
        const int length = static_cast<int>(std::strlen(s));
        if (length >= k_ - k0_ + 1) return false;
        if (s[length - 1] != b_[k_]) return false;
        if (std::memcmp(b_ + k_ - length + 1, s, static_cast<size_t>(length)) != 0) return false;
        j_ = k_ - length;
        return true;
    }

    void SetTo(const char* s) {
        const int length = static_cast<int>(std::strlen(s));
        std::memmove(b_ + j_ + 1, s, static_cast<size_t>(length));
        k_ = j_ + length;
    }

    void R(const char* s) {
        if (M() > 0) SetTo(s);
    }

    void Step1a() {
        if (b_[k_] != 's') return;
        if (Ends("sses"))
            k_ -= 2;
        else if (Ends("ies"))
            SetTo("i");
        else if (b_[k_ - 1] != 's')
            --k_;
    }

    // Drops the suffix found by Ends and tidies the new ending.
    void DropAndTail() {
        k_ = j_;
        if (k_ - k0_ + 1 < 3) return;
        if (Ends("at"))
            SetTo("ate");
        else if (Ends("bl"))
            SetTo("ble");
        else if (Ends("iz"))
            SetTo("ize");
        else if (DoubleC(k_)) {
            const char ch = b_[k_];
            if (!(ch == 'l' || ch == 's' || ch == 'z')) --k_;
        } else {
            j_ = k_;
            if (M() == 1 && Cvc(k_)) SetTo("e");
        }
    }

    // "-eed", "-eest", "-eeth" become "-ee" when something measurable stands before.
    bool DoubleE(const char* suffix, int cut) {
        if (!Ends(suffix)) return false;
        if (M() > 0) k_ -= cut;
        return true;
    }

    bool DropIfVowel(const char* suffix) {
        if (!Ends(suffix) || !VowelInStem()) return false;
        DropAndTail();
        return true;
    }

    void Step1b() {
        switch (b_[k_ - 1]) {
            case 'e':
                if (DoubleE("eed", 1)) return;
                DropIfVowel("ed");
                return;
            case 'n':
                DropIfVowel("ing");
                return;
            case 's':
                if (DoubleE("eest", 2)) return;
                if (DropIfVowel("est")) return;
                DropIfVowel("edst");
                return;
            case 't':
                if (DoubleE("eeth", 2)) return;
                DropIfVowel("eth");
                return;
            case 'l':
                if (Ends("ingly")) DropAndTail();
                return;
            default:
                return;
        }
    }

    void Step1c() {
        if (Ends("y") && VowelInStem()) b_[k_] = 'i';
    }

    // Each group stops at the first suffix found, whether or not it is replaced.
    bool Rule(const char* suffix, const char* replacement) {
        if (!Ends(suffix)) return false;
        R(replacement);
        return true;
    }

    void Step2() {
        switch (b_[k_ - 1]) {
            case 'a':
                Rule("ational", "ate") || Rule("tional", "tion");
                break;
            case 'c':
                Rule("enci", "ence") || Rule("anci", "ance");
                break;
            case 'e':
                Rule("izer", "ize");
                break;
            case 'l':
                Rule("bli", "ble") || Rule("alli", "al") || Rule("entli", "ent") || Rule("antli", "ant") ||
                    Rule("eli", "e") || Rule("ousli", "ou");
                break;
            case 'o':
                Rule("ization", "ize") || Rule("ation", "ate") || Rule("ator", "ate");
                break;
            case 's':
                Rule("alism", "al") || Rule("iveness", "ive") || Rule("fulness", "ful") || Rule("ousness", "ou");
                break;
            case 't':
                Rule("aliti", "al") || Rule("iviti", "ive") || Rule("biliti", "ble");
                break;
            case 'g':
                Rule("logi", "log");
                break;
            default:
                break;
        }
    }

    void Step3() {
        switch (b_[k_]) {
            case 'e':
                Rule("icate", "ic") || Rule("ative", "") || Rule("alize", "al");
                break;
            case 'i':
                Rule("iciti", "ic");
                break;
            case 'l':
                Rule("ical", "ic") || Rule("ful", "");
                break;
            case 's':
                Rule("ness", "");
                break;
            default:
                break;
        }
    }

    void Step4() {
        bool found = false;
        switch (b_[k_ - 1]) {
            case 'a': found = Ends("al"); break;
            case 'c': found = Ends("ance") || Ends("ence"); break;
            case 'e': found = Ends("er"); break;
            case 'i': found = Ends("ic"); break;
            case 'l': found = Ends("able") || Ends("ible"); break;
            case 'n': found = Ends("ant") || Ends("ement") || Ends("ment") || Ends("ent"); break;
            case 'o':
                found = (Ends("ion") && j_ >= k0_ && (b_[j_] == 's' || b_[j_] == 't')) || Ends("ou");
                break;
            case 's': found = Ends("ism"); break;
            case 't': found = Ends("ate") || Ends("iti"); break;
            case 'u': found = Ends("ous"); break;
            case 'v': found = Ends("ive"); break;
            case 'z': found = Ends("ize"); break;
            default: break;
        }
        if (found && M() > 1) k_ = j_;
    }

    void Step5() {
        j_ = k_;
        if (b_[k_] == 'e') {
            const int a = M();
            if (a > 1 || (a == 1 && !Cvc(k_ - 1))) --k_;
        }
        if (b_[k_] == 'l' && DoubleC(k_) && M() > 1) --k_;
    }

    char* b_;
    int k0_;
    int k_;
    int j_;
};

}  // namespace

int Stem(char* buffer, int first, int last) { return Stemmer(buffer, first, last).Run(); }

std::string StemWord(std::string_view lowercaseWord) {
    std::string buffer(lowercaseWord);
    if (buffer.empty()) return buffer;
    const int last = Stem(buffer.data(), 0, static_cast<int>(buffer.size()) - 1);
    buffer.resize(static_cast<size_t>(last + 1));
    return buffer;
}

}  // namespace kvx
