// Cofactor expansion along the first row, recursive down to 2x2.
#include "numeric/determinant.h"

#include <cstddef>
#include <vector>

namespace {

// The minor without row 0 and column col, in a fixed buffer for the small sizes the
// solvers use (no allocation on their hot path) and on the heap beyond.
template <class T> class Minor {
  public:
    Minor(int n, const T* m, int col) {
        const int size = (n - 1) * (n - 1);
        if (size > kFixed) {
            heap.resize(static_cast<std::size_t>(size));
            data = heap.data();
        }
        int k = 0;
        for (int r = 1; r < n; ++r)
            for (int c = 0; c < n; ++c)
                if (c != col)
                    data[k++] = m[r * n + c];
    }
    const T* get() const { return data; }

  private:
    static constexpr int kFixed = 16;
    T fixed[kFixed];
    std::vector<T> heap;
    T* data = fixed;
};

// The 4x4 case of the expansion below, term for term, with its minors in a plain
// buffer and its loops unrolled: the four-line merge takes two of these per solve.
double determinant4(const double* m) {
    // The columns each minor keeps, the one of its term left out.
    constexpr int kKept[4][3] = {{1, 2, 3}, {0, 2, 3}, {0, 1, 3}, {0, 1, 2}};
    double sum = 0.0;
#pragma GCC unroll 4
    for (int i = 0; i < 4; ++i) {
        double minor[9];
#pragma GCC unroll 3
        for (int r = 0; r < 3; ++r)
#pragma GCC unroll 3
            for (int c = 0; c < 3; ++c)
                minor[3 * r + c] = m[4 * (r + 1) + kKept[i][c]];
        const double s = (i % 2 == 0) ? 1.0 : -1.0;
        sum += determinant3(minor) * s * m[i];
    }
    return sum;
}

} // namespace

double determinant(int n, const double* m) {
    if (n <= 2)
        return determinant2(m);
    if (n == 3)
        return determinant3(m);
    if (n == 4)
        return determinant4(m);
    double sum = 0.0;
    for (int i = 0; i < n; ++i) {
        const Minor<double> minor(n, m, i);
        double s = (i % 2 == 0) ? 1.0 : -1.0;
        sum += determinant(n - 1, minor.get()) * s * m[i];
    }
    return sum;
}

Poly4 polyDeterminant(int n, const Poly4* m) {
    if (n <= 2)
        return subtract(multiply(m[0], m[3]), multiply(m[2], m[1]));
    Poly4 acc;
    for (int j = 0; j < n; ++j) {
        const Minor<Poly4> minor(n, m, j);
        double s = (j % 2 == 0) ? 1.0 : -1.0;
        acc = add(
            acc, multiply(multiply(Poly4::constant(s), m[j]), polyDeterminant(n - 1, minor.get())));
    }
    return acc;
}
