#pragma once

#include <QByteArray>
#include <initializer_list>

// Bytes written out one by one, for tests that compare exact file contents.
inline QByteArray bytesOf(std::initializer_list<int> values) {
    QByteArray b;
    for (const int v : values)
        b.append(static_cast<char>(v));
    return b;
}
