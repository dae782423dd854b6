// Cofactor expansion along the first row, recursive down to 2x2.
#include "numeric/determinant.h"

#include <cstddef>
#include <vector>

namespace {
template <class T> std::vector<T> minorWithout(int n, const T* m, int col) {
    std::vector<T> minor;
    minor.reserve(static_cast<std::size_t>((n - 1) * (n - 1)));
    for (int r = 1; r < n; ++r)
        for (int c = 0; c < n; ++c)
            if (c != col)
                minor.push_back(m[r * n + c]);
    return minor;
}
} // namespace

double determinant(int n, const double* m) {
    if (n <= 2)
        return m[3] * m[0] - m[2] * m[1];
    double sum = 0.0;
    for (int i = 0; i < n; ++i) {
        std::vector<double> minor = minorWithout(n, m, i);
        double s = (i % 2 == 0) ? 1.0 : -1.0;
        sum += determinant(n - 1, minor.data()) * s * m[i];
    }
    return sum;
}

Poly4 polyDeterminant(int n, const Poly4* m) {
    if (n <= 2)
        return subtract(multiply(m[0], m[3]), multiply(m[2], m[1]));
    Poly4 acc;
    for (int j = 0; j < n; ++j) {
        std::vector<Poly4> minor = minorWithout(n, m, j);
        double s = (j % 2 == 0) ? 1.0 : -1.0;
        acc = add(acc, multiply(multiply(Poly4::constant(s), m[j]),
                                polyDeterminant(n - 1, minor.data())));
    }
    return acc;
}
