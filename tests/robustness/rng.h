#pragma once

// A seeded generator of our own (SplitMix64): the standard distributions
// differ between libraries, and the generated cases must be the same
// everywhere.

#include <QByteArray>

#include <array>
#include <cstddef>
#include <cstdint>

class Rng
{
public:
    explicit Rng(std::uint64_t s) : state_(s) {}
    std::uint64_t next()
    {
        std::uint64_t z = (state_ += 0x9e3779b97f4a7c15ull);
        z = (z ^ (z >> 30)) * 0xbf58476d1ce4e5b9ull;
        z = (z ^ (z >> 27)) * 0x94d049bb133111ebull;
        return z ^ (z >> 31);
    }
    int below(int n) { return int(next() % std::uint64_t(n)); }
    bool percent(int p) { return below(100) < p; }
    double uniform(double from, double to) { return from + (to - from) * double(next() >> 11) / double(1ull << 53); }
    template <class T, std::size_t N>
    const T &pick(const std::array<T, N> &from) { return from[std::size_t(below(int(N)))]; }
    QByteArray bytes(int n)
    {
        QByteArray out(n, '\0');
        for (char &c : out)
            c = char(next());
        return out;
    }

private:
    std::uint64_t state_;
};
