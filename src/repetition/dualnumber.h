#pragma once

#include <array>
#include <cmath>
#include <cstddef>

// A value with its derivatives by N variables, carried through arithmetic (forward-mode
// differentiation): the memory model's formulas, run on these, give the loss together with
// its gradient by every weight in one pass.
template <std::size_t N> struct DualNumber
{
    double value = 0;
    std::array<double, N> d{};

    DualNumber() = default;
    DualNumber(double constant) : value(constant) {} // NOLINT: constants mix freely
    static DualNumber variable(double value, std::size_t index)
    {
        DualNumber x(value);
        x.d[index] = 1.0;
        return x;
    }

    // The value v with derivatives scaled from a: d(f(a)) = f'(a) da.
    static DualNumber chain(double v, double slope, const DualNumber &a)
    {
        DualNumber r(v);
        for (std::size_t i = 0; i < N; ++i)
            r.d[i] = slope * a.d[i];
        return r;
    }

    friend DualNumber operator+(const DualNumber &a, const DualNumber &b)
    {
        DualNumber r(a.value + b.value);
        for (std::size_t i = 0; i < N; ++i)
            r.d[i] = a.d[i] + b.d[i];
        return r;
    }
    friend DualNumber operator-(const DualNumber &a, const DualNumber &b)
    {
        DualNumber r(a.value - b.value);
        for (std::size_t i = 0; i < N; ++i)
            r.d[i] = a.d[i] - b.d[i];
        return r;
    }
    friend DualNumber operator-(const DualNumber &a) { return chain(-a.value, -1.0, a); }
    friend DualNumber operator*(const DualNumber &a, const DualNumber &b)
    {
        DualNumber r(a.value * b.value);
        for (std::size_t i = 0; i < N; ++i)
            r.d[i] = a.d[i] * b.value + a.value * b.d[i];
        return r;
    }
    friend DualNumber operator/(const DualNumber &a, const DualNumber &b)
    {
        DualNumber r(a.value / b.value);
        const double square = b.value * b.value;
        for (std::size_t i = 0; i < N; ++i)
            r.d[i] = (a.d[i] * b.value - a.value * b.d[i]) / square;
        return r;
    }
    friend DualNumber exp(const DualNumber &a)
    {
        const double e = std::exp(a.value);
        return chain(e, e, a);
    }
    friend DualNumber log(const DualNumber &a) { return chain(std::log(a.value), 1.0 / a.value, a); }
    // For a positive base, as every power of the model has.
    friend DualNumber pow(const DualNumber &base, const DualNumber &exponent)
    {
        return exp(exponent * log(base));
    }
    friend bool isfinite(const DualNumber &a) { return std::isfinite(a.value); }
    friend double valueOf(const DualNumber &a) { return a.value; }
};
