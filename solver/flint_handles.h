// Owning C++ handles for the FLINT and Arb values of the exact engine, so that every
// init has its clear on every path. Only the engine's own sources include this.
#pragma once

#include <flint/fmpq.h>
#include <flint/fmpq_mpoly.h>
#include <flint/fmpq_poly.h>
#include <flint/fmpz_poly.h>

#include <acb_poly.h>

#include <utility>

class QNumber {
  public:
    QNumber() { fmpq_init(v_); }
    QNumber(const QNumber& o) : QNumber() { fmpq_set(v_, o.v_); }
    QNumber& operator=(const QNumber& o) {
        fmpq_set(v_, o.v_);
        return *this;
    }
    ~QNumber() { fmpq_clear(v_); }
    fmpq* get() { return v_; }
    const fmpq* get() const { return v_; }

  private:
    fmpq_t v_;
};

// A polynomial in one variable over the rationals.
class QPoly {
  public:
    QPoly() { fmpq_poly_init(p_); }
    QPoly(const QPoly& o) : QPoly() { fmpq_poly_set(p_, o.p_); }
    QPoly(QPoly&& o) noexcept : QPoly() { fmpq_poly_swap(p_, o.p_); }
    QPoly& operator=(const QPoly& o) {
        fmpq_poly_set(p_, o.p_);
        return *this;
    }
    QPoly& operator=(QPoly&& o) noexcept {
        fmpq_poly_swap(p_, o.p_);
        return *this;
    }
    ~QPoly() { fmpq_poly_clear(p_); }
    fmpq_poly_struct* get() { return p_; }
    const fmpq_poly_struct* get() const { return p_; }
    slong degree() const { return fmpq_poly_degree(p_); }
    bool isZero() const { return fmpq_poly_is_zero(p_); }

  private:
    fmpq_poly_t p_;
};

// A polynomial over the rationals in the unknowns of one context.
class MPoly {
  public:
    explicit MPoly(const fmpq_mpoly_ctx_struct* ctx) : ctx_(ctx) { fmpq_mpoly_init(p_, ctx_); }
    MPoly(const MPoly& o) : MPoly(o.ctx_) { fmpq_mpoly_set(p_, o.p_, ctx_); }
    MPoly(MPoly&& o) noexcept : MPoly(o.ctx_) { fmpq_mpoly_swap(p_, o.p_, ctx_); }
    MPoly& operator=(const MPoly& o) {
        fmpq_mpoly_set(p_, o.p_, ctx_);
        return *this;
    }
    MPoly& operator=(MPoly&& o) noexcept {
        fmpq_mpoly_swap(p_, o.p_, ctx_);
        return *this;
    }
    ~MPoly() { fmpq_mpoly_clear(p_, ctx_); }
    fmpq_mpoly_struct* get() { return p_; }
    const fmpq_mpoly_struct* get() const { return p_; }
    const fmpq_mpoly_ctx_struct* ctx() const { return ctx_; }

    bool isZero() const { return fmpq_mpoly_is_zero(p_, ctx_); }
    bool isConstant() const { return fmpq_mpoly_is_fmpq(p_, ctx_); }
    slong degree(slong var) const { return fmpq_mpoly_degree_si(p_, var, ctx_); }
    slong terms() const { return fmpq_mpoly_length(p_, ctx_); }

  private:
    const fmpq_mpoly_ctx_struct* ctx_;
    fmpq_mpoly_t p_;
};

class MPolyContext {
  public:
    explicit MPolyContext(slong nvars) { fmpq_mpoly_ctx_init(ctx_, nvars, ORD_LEX); }
    MPolyContext(const MPolyContext&) = delete;
    MPolyContext& operator=(const MPolyContext&) = delete;
    ~MPolyContext() { fmpq_mpoly_ctx_clear(ctx_); }
    const fmpq_mpoly_ctx_struct* get() const { return ctx_; }
    slong vars() const { return ctx_->zctx->minfo->nvars; }

  private:
    fmpq_mpoly_ctx_t ctx_;
};

class AcbVector {
  public:
    explicit AcbVector(slong n) : n_(n), v_(n > 0 ? _acb_vec_init(n) : nullptr) {}
    AcbVector(const AcbVector& o) : AcbVector(o.n_) { _acb_vec_set(v_, o.v_, n_); }
    AcbVector& operator=(const AcbVector& o) {
        AcbVector copy(o);
        std::swap(n_, copy.n_);
        std::swap(v_, copy.v_);
        return *this;
    }
    ~AcbVector() {
        if (v_)
            _acb_vec_clear(v_, n_);
    }
    acb_ptr get() { return v_; }
    acb_srcptr get() const { return v_; }
    acb_ptr operator[](slong i) { return v_ + i; }
    acb_srcptr operator[](slong i) const { return v_ + i; }
    slong size() const { return n_; }

  private:
    slong n_;
    acb_ptr v_;
};

class AcbPoly {
  public:
    AcbPoly() { acb_poly_init(p_); }
    AcbPoly(const AcbPoly&) = delete;
    AcbPoly& operator=(const AcbPoly&) = delete;
    ~AcbPoly() { acb_poly_clear(p_); }
    acb_poly_struct* get() { return p_; }
    const acb_poly_struct* get() const { return p_; }

  private:
    acb_poly_t p_;
};

class Acb {
  public:
    Acb() { acb_init(v_); }
    Acb(const Acb& o) : Acb() { acb_set(v_, o.v_); }
    Acb& operator=(const Acb& o) {
        acb_set(v_, o.v_);
        return *this;
    }
    ~Acb() { acb_clear(v_); }
    acb_struct* get() { return v_; }
    const acb_struct* get() const { return v_; }

  private:
    acb_t v_;
};
