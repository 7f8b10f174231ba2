#include "core/analysis/FourierTransformer.h"

#include <fftw3.h>

#include <algorithm>
#include <cstring>
#include <limits>
#include <mutex>
#include <new>
#include <stdexcept>

namespace tremvix {

namespace {

// FFTW keeps process-wide planner state: making and destroying plans must never
// happen in two threads at once, whichever transformer asks.
std::mutex& PlannerLock() {
    static std::mutex lock;
    return lock;
}

// Lengths kept before the oldest plans are dropped; a caller that meets many
// lengths should not keep their buffers for ever.
constexpr std::size_t kLengthsKept = 16;

}  // namespace

struct FourierPlan::Plans {
    std::size_t n = 0;
    double* real = nullptr;
    fftw_complex* complex = nullptr;
    fftw_plan forward = nullptr;
    fftw_plan inverse = nullptr;

    explicit Plans(std::size_t length) : n(length) {
        if (n > static_cast<std::size_t>(std::numeric_limits<int>::max())) {
            throw std::length_error("transform longer than FFTW's int sizes");
        }
        const std::lock_guard<std::mutex> guard(PlannerLock());
        real = fftw_alloc_real(n);
        complex = fftw_alloc_complex(n / 2 + 1);
        if (real == nullptr || complex == nullptr) {
            Release();
            throw std::bad_alloc();
        }
        const int size = static_cast<int>(n);
        forward = fftw_plan_dft_r2c_1d(size, real, complex, FFTW_ESTIMATE);
        inverse = fftw_plan_dft_c2r_1d(size, complex, real, FFTW_ESTIMATE);
        if (forward == nullptr || inverse == nullptr) {
            Release();
            throw std::bad_alloc();
        }
    }
    ~Plans() {
        const std::lock_guard<std::mutex> guard(PlannerLock());
        Release();
    }
    Plans(const Plans&) = delete;
    Plans& operator=(const Plans&) = delete;

private:
    void Release() {
        if (forward != nullptr) fftw_destroy_plan(forward);
        if (inverse != nullptr) fftw_destroy_plan(inverse);
        fftw_free(real);
        fftw_free(complex);
        forward = inverse = nullptr;
        real = nullptr;
        complex = nullptr;
    }
};

std::size_t FourierPlan::Length() const { return plans_->n; }

std::span<double> FourierPlan::Real() const { return {plans_->real, plans_->n}; }

std::span<std::complex<double>> FourierPlan::Spectrum() const {
    // fftw_complex and std::complex<double> share their layout.
    return {reinterpret_cast<std::complex<double>*>(plans_->complex), plans_->n / 2 + 1};
}

void FourierPlan::Forward() const { fftw_execute(plans_->forward); }

void FourierPlan::Inverse() const { fftw_execute(plans_->inverse); }

FourierTransformer::FourierTransformer() = default;
FourierTransformer::~FourierTransformer() = default;
FourierTransformer::FourierTransformer(FourierTransformer&&) noexcept = default;
FourierTransformer& FourierTransformer::operator=(FourierTransformer&&) noexcept = default;

FourierTransformer::Plans& FourierTransformer::PlansFor(std::size_t n) {
    const auto found = plans_.find(n);
    if (found != plans_.end()) {
        return *found->second;
    }
    if (plans_.size() >= kLengthsKept) {
        plans_.clear();
    }
    return *plans_.emplace(n, std::make_unique<Plans>(n)).first->second;
}

FourierPlan FourierTransformer::PlanFor(std::size_t n) {
    if (n == 0) {
        throw std::invalid_argument("transform of no samples");
    }
    return FourierPlan(PlansFor(n));
}

void FourierTransformer::Forward(std::span<const double> x, std::vector<std::complex<double>>& spectrum) {
    spectrum.clear();
    if (x.empty()) {
        return;
    }
    Plans& p = PlansFor(x.size());
    std::copy(x.begin(), x.end(), p.real);
    fftw_execute(p.forward);
    // fftw_complex and std::complex<double> share their layout.
    const auto* out = reinterpret_cast<const std::complex<double>*>(p.complex);
    spectrum.assign(out, out + x.size() / 2 + 1);
}

void FourierTransformer::Inverse(std::span<const std::complex<double>> spectrum, std::size_t n,
                                 std::vector<double>& x) {
    x.clear();
    if (n == 0) {
        return;
    }
    if (spectrum.size() < n / 2 + 1) {
        throw std::invalid_argument("inverse transform: spectrum shorter than n / 2 + 1");
    }
    Plans& p = PlansFor(n);
    std::memcpy(p.complex, spectrum.data(), (n / 2 + 1) * sizeof(fftw_complex));
    fftw_execute(p.inverse);  // overwrites p.complex, which is only our copy
    x.assign(p.real, p.real + n);
}

}  // namespace tremvix
