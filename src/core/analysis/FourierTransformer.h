#pragma once

#include <complex>
#include <cstddef>
#include <map>
#include <memory>
#include <span>
#include <vector>

namespace tremvix {

// The kept plans of one length and the buffers they work in, for transforms
// without copies: fill Real(), Forward() leaves X[0 .. n/2] in Spectrum(); change
// Spectrum(), Inverse() leaves x in Real() and spoils Spectrum(). The transforms are
// those of FourierTransformer::Forward and Inverse. Valid while its transformer
// lives and meets no other length.
class FourierPlan {
public:
    std::size_t Length() const;
    std::span<double> Real() const;
    std::span<std::complex<double>> Spectrum() const;
    void Forward() const;
    void Inverse() const;

private:
    friend class FourierTransformer;
    struct Plans;
    explicit FourierPlan(Plans& plans) : plans_(&plans) {}
    Plans* plans_;
};

// Real discrete Fourier transforms of any length, double precision. Keeps the
// plans (and their buffers) for the lengths it has met, so repeated transforms of
// one length are planned once. One object serves one thread at a time; objects in
// different threads may be used together.
class FourierTransformer {
public:
    FourierTransformer();
    ~FourierTransformer();
    FourierTransformer(const FourierTransformer&) = delete;
    FourierTransformer& operator=(const FourierTransformer&) = delete;
    FourierTransformer(FourierTransformer&&) noexcept;
    FourierTransformer& operator=(FourierTransformer&&) noexcept;

    // X[k] = sum over j of x[j] e^(-2 pi i k j / N) for k = 0 .. N/2, N = x.size().
    // Empty input gives empty output.
    void Forward(std::span<const double> x, std::vector<std::complex<double>>& spectrum);

    // x[j] = sum over k of X[k] e^(+2 pi i k j / N) over the full Hermitian spectrum,
    // from its first N/2 + 1 values (no division by N). Throws std::invalid_argument
    // when spectrum holds fewer than N/2 + 1 values.
    void Inverse(std::span<const std::complex<double>> spectrum, std::size_t n, std::vector<double>& x);

    // The plans of length n (n > 0), made on first use.
    FourierPlan PlanFor(std::size_t n);

private:
    using Plans = FourierPlan::Plans;
    Plans& PlansFor(std::size_t n);

    std::map<std::size_t, std::unique_ptr<Plans>> plans_;
};

}  // namespace tremvix
