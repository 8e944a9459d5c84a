// SPDX-License-Identifier: GPL-3.0-or-later
// Whole-text comparison of 1,024 against 1,024 units: Japanese prose with a few typos, the worst
// case of one repeated character (a candidate for every pair, about a million), and word mode
// with 200 words against 200. Each reports the peak of the bytes a comparison allocates on top of
// what was live before it (peak_extra_bytes), counted by the operator new below.

#include "compare/UCompKey.h"

#include "platform/ShiftJis.h"

#include <benchmark/benchmark.h>

#include <algorithm>
#include <cstdlib>
#include <malloc.h>
#include <new>
#include <string>
#include <vector>

// --- Allocation counting: every operator new of this program goes through here ----------------

namespace {

std::size_t LiveBytes = 0;
std::size_t PeakBytes = 0;

void* CountedAlloc(std::size_t size) noexcept {
    void* p = std::malloc(size == 0 ? 1 : size);
    if (p != nullptr) {
        LiveBytes += malloc_usable_size(p);
        PeakBytes = std::max(PeakBytes, LiveBytes);
    }
    return p;
}

void CountedFree(void* p) noexcept {
    if (p == nullptr)
        return;
    LiveBytes -= malloc_usable_size(p);
    std::free(p);
}

} // namespace

void* operator new(std::size_t size) {
    if (void* p = CountedAlloc(size))
        return p;
    throw std::bad_alloc();
}
void* operator new[](std::size_t size) {
    return operator new(size);
}
void* operator new(std::size_t size, const std::nothrow_t&) noexcept {
    return CountedAlloc(size);
}
void* operator new[](std::size_t size, const std::nothrow_t&) noexcept {
    return CountedAlloc(size);
}
void operator delete(void* p) noexcept {
    CountedFree(p);
}
void operator delete[](void* p) noexcept {
    CountedFree(p);
}
void operator delete(void* p, std::size_t) noexcept {
    CountedFree(p);
}
void operator delete[](void* p, std::size_t) noexcept {
    CountedFree(p);
}
void operator delete(void* p, const std::nothrow_t&) noexcept {
    CountedFree(p);
}
void operator delete[](void* p, const std::nothrow_t&) noexcept {
    CountedFree(p);
}

namespace {

// --- Texts -------------------------------------------------------------------------------------

constexpr std::size_t Units = 1024;

// Kana and kanji prose with punctuation, paragraphs broken by CR LF: about 1,140 characters,
// of which the first 1,024 are compared.
constexpr std::u16string_view Prose =
    u"朝の駅前はいつもより静かで、冷たい風が頬に当たるたびに冬が近づいていることを感じた。"
    u"私は毎朝同じ時刻の電車に乗り、窓の外を流れる町並みを眺めながら、その日にやるべき仕事を"
    u"頭の中で順番に並べていく。最近は新しい企画の資料作りに追われていて、家に帰ってからも机に"
    u"向かう時間が増えた。それでも週末には近所の川沿いを歩き、季節ごとに変わる木々の色を楽しむ"
    u"ようにしている。\r\n"
    u"先月から、キーボードの練習を始めた。仕事では毎日のように文章を書くのに、指の動きはずっと"
    u"我流のままで、画面と手元を何度も見比べていたからだ。最初の一週間は、ホームポジションに指を"
    u"置くことさえ落ち着かなかった。小指で押すキーはなかなか覚えられず、同じ単語を何回も打ち"
    u"間違えた。けれども、短い例文を毎晩十分ずつ繰り返すうちに、少しずつ手元を見なくても正しい"
    u"位置が分かるようになってきた。\r\n"
    u"練習用の文章には、新聞のコラムや古い随筆、旅行の記録などを選んでいる。漢字の多い文を変換"
    u"しながら入力すると、読みを正確に知らない言葉がいかに多いかに気づかされる。たとえば「雰囲"
    u"気」や「相殺」のような言葉は、普段は目で見て意味を取っているだけで、声に出して読むことは"
    u"ほとんどない。入力の練習は、いつの間にか日本語そのものを学び直す時間にもなっていた。\r\n"
    u"速さを求めるよりも、まず正確に打つことを大切にしている。一度間違えた箇所を直すには、新しく"
    u"打つよりずっと多くの手間がかかるからだ。結果の画面に表示される誤字の数が、日を追って減って"
    u"いくのを見るのは素直にうれしい。一分間に打てる文字数も、始めた頃の倍近くになった。とはいえ、"
    u"疲れている夜には指が思うように動かず、簡単な言葉で何度もつまずくこともある。\r\n"
    u"先日、職場の先輩にこの話をしたところ、彼女も若い頃に同じような練習をしたと教えてくれた。"
    u"当時は紙に印刷した配列表を机の横に貼り、暇を見つけては指の運びを確かめていたそうだ。道具は"
    u"変わっても、上達の方法はそれほど変わらないのかもしれない。毎日少しずつ続けること、うまく"
    u"いかない日も投げ出さないこと、そして時々立ち止まって自分の進み具合を確かめること。\r\n"
    u"春になる頃には、今よりもっと滑らかに文章を打てるようになっていたい。そうしたら、長い間"
    u"書きかけのまま放ってある旅の記録を、最後まで仕上げてみようと思う。北の港町で食べた魚の味や、"
    u"山あいの宿で聞いた雨の音を、忘れないうちに言葉にしておきたいのだ。あの旅では、朝早く市場へ"
    u"出かけ、漁から戻ったばかりの船が次々に岸へ着くのを眺めた。威勢のよい声が飛び交うなかで、"
    u"見知らぬ老人が温かいお茶を差し出してくれたことを、今でもはっきりと覚えている。記録を書き"
    u"終えたら、家族や友人にも読んでもらうつもりだ。";

// About 230 words, of which the first 200 are compared.
constexpr std::u16string_view EnglishProse =
    u"Every morning I take the same train to work and watch the town slide past the window while "
    u"I sort the tasks of the day in my head. Last month I decided to learn to type properly. For "
    u"years I had written reports and letters with two fingers and a great deal of looking down "
    u"at the keys, and I was tired of it. The first week was harder than I expected. My little "
    u"fingers refused to find the right keys, and I kept typing the same short words wrong again "
    u"and again. Still, I practised for ten minutes every evening, copying a paragraph from an old "
    u"newspaper or a travel diary, and slowly my hands began to know where the letters were "
    u"without my eyes. I try to care more about accuracy than speed, because fixing a mistake "
    u"costs far more time than typing the word correctly in the first place. The number of errors "
    u"shown at the end of each exercise has been falling week by week, and my speed has nearly "
    u"doubled since I began. On tired nights my fingers still stumble over simple words, but I no "
    u"longer give up. By spring I hope to finish the travel notes that I left half written long "
    u"ago, while the taste of the fish in that northern harbour town is still fresh in my memory.";

// The first `count` characters of `text`, line breaks not counted (they make no unit).
std::u16string FirstChars(std::u16string_view text, std::size_t count) {
    std::u16string result;
    for (std::size_t n = 0; char16_t c : text) {
        if (n == count)
            break;
        result.push_back(c);
        if (c != u'\r' && c != u'\n')
            ++n;
    }
    return result;
}

// What a learner might type: a wrong kanji, a dropped character, an extra one, a swapped pair.
std::u16string WithTypos(std::u16string text) {
    text.at(37) = u'間';
    text.erase(210, 1);
    text.insert(400, 1, u'の');
    text.at(555) = u'再';
    std::swap(text.at(700), text.at(701));
    text.erase(850, 1);
    text.at(990) = u'ン';
    return text;
}

std::vector<std::u16string> Words(std::u16string_view text, std::size_t count) {
    std::vector<std::u16string> words;
    for (std::size_t start = 0; start < text.size() && words.size() < count;) {
        std::size_t end = std::min(text.find(u' ', start), text.size());
        words.emplace_back(text.substr(start, end - start));
        start = end + 1;
    }
    return words;
}

// Words joined by blanks, with a CR LF after every `perLine` words (0: one line).
std::string JoinWords(const std::vector<std::u16string>& words, std::size_t perLine) {
    std::u16string text;
    for (std::size_t i = 0; i < words.size(); ++i) {
        text += words[i];
        text += perLine != 0 && (i + 1) % perLine == 0 ? u"\r\n" : u" ";
    }
    return ShiftJis::FromUtf16(text);
}

struct TTexts {
    std::string Example;
    std::string Typed;
};

const TTexts& JapaneseTexts() {
    static const TTexts texts = [] {
        std::u16string example = FirstChars(Prose, Units);
        return TTexts{ShiftJis::FromUtf16(example), ShiftJis::FromUtf16(WithTypos(example))};
    }();
    return texts;
}

const TTexts& RepeatedTexts() {
    static const std::string same = [] {
        std::string text;
        for (std::size_t i = 0; i < Units; ++i)
            text += "\x82\xA0"; // あ
        return text;
    }();
    static const TTexts texts{same, same};
    return texts;
}

const TTexts& EnglishTexts() {
    static const TTexts texts = [] {
        std::vector<std::u16string> example = Words(EnglishProse, 200);
        std::vector<std::u16string> typed = example;
        typed[10] = u"teh";
        typed.erase(typed.begin() + 50);
        typed.insert(typed.begin() + 90, u"the");
        typed[130] = u"speeed";
        typed[170] = u"Simple";
        return TTexts{JoinWords(example, 12), JoinWords(typed, 0)};
    }();
    return texts;
}

// --- Benchmarks --------------------------------------------------------------------------------

// One comparer per comparison, as the bulk-input exercise makes it. Reports the unit counts, so
// that a run shows what it compared, and the peak of the bytes allocated meanwhile.
void RunCompare(benchmark::State& state, CompMode mode, const TTexts& texts) {
    std::size_t peakExtra = 0;
    for (auto _ : state) {
        const std::size_t base = LiveBytes;
        PeakBytes = base;
        {
            TCompClass comp;
            comp.Compare(mode, texts.Example, texts.Typed);
            benchmark::DoNotOptimize(comp.MatchCount());
        }
        peakExtra = std::max(peakExtra, PeakBytes - base);
    }
    TCompClass comp;
    comp.Compare(mode, texts.Example, texts.Typed);
    state.counters["example_units"] = comp.ExampleCount();
    state.counters["typed_units"] = comp.InputCount();
    state.counters["matched"] = comp.MatchCount();
    state.counters["peak_extra_bytes"] = benchmark::Counter(
        static_cast<double>(peakExtra), benchmark::Counter::kDefaults, benchmark::Counter::kIs1024);
}

void BM_JapaneseProse1024(benchmark::State& state) {
    RunCompare(state, CompMode::Chars, JapaneseTexts());
}
BENCHMARK(BM_JapaneseProse1024)->Unit(benchmark::kMicrosecond);

void BM_RepeatedCharacter1024(benchmark::State& state) {
    RunCompare(state, CompMode::Chars, RepeatedTexts());
}
BENCHMARK(BM_RepeatedCharacter1024)->Unit(benchmark::kMillisecond);

void BM_Words200(benchmark::State& state) {
    RunCompare(state, CompMode::Words, EnglishTexts());
}
BENCHMARK(BM_Words200)->Unit(benchmark::kMicrosecond);

} // namespace

BENCHMARK_MAIN();
