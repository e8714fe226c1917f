#include "AdaptiveHuffman.h"

#include <algorithm>

namespace lzh {

// Leaves are stored as child values >= kNodes (symbol + kNodes); node i's children are child[i], child[i]+1.
AdaptiveHuffman::AdaptiveHuffman()
{
    for (int i = 0; i < kSymbols; ++i) {
        m_freq[i] = 1;
        m_child[i] = static_cast<int16_t>(i + kNodes);
        m_parent[i + kNodes] = static_cast<int16_t>(i);
    }
    for (int i = 0, j = kSymbols; j <= kRoot; i += 2, ++j) {
        m_freq[j] = static_cast<uint16_t>(m_freq[i] + m_freq[i + 1]);
        m_child[j] = static_cast<int16_t>(i);
        m_parent[i] = m_parent[i + 1] = static_cast<int16_t>(j);
    }
    m_freq[kNodes] = 0xFFFF;
    m_parent[kRoot] = 0;
}

void AdaptiveHuffman::Rebuild()
{
    int j = 0;
    for (int i = 0; i < kNodes; ++i) {
        if (m_child[i] >= kNodes) {
            m_freq[j] = static_cast<uint16_t>((m_freq[i] + 1) / 2);
            m_child[j] = m_child[i];
            ++j;
        }
    }
    for (int i = 0, n = kSymbols; n < kNodes; i += 2, ++n) {
        uint16_t f = static_cast<uint16_t>(m_freq[i] + m_freq[i + 1]);
        int k = n - 1;
        while (f < m_freq[k])
            --k;
        ++k;
        std::copy_backward(m_freq.begin() + k, m_freq.begin() + n, m_freq.begin() + n + 1);
        std::copy_backward(m_child.begin() + k, m_child.begin() + n, m_child.begin() + n + 1);
        m_freq[k] = f;
        m_child[k] = static_cast<int16_t>(i);
    }
    for (int i = 0; i < kNodes; ++i) {
        int k = m_child[i];
        if (k >= kNodes)
            m_parent[k] = static_cast<int16_t>(i);
        else
            m_parent[k] = m_parent[k + 1] = static_cast<int16_t>(i);
    }
}

void AdaptiveHuffman::Update(int symbol)
{
    if (m_freq[kRoot] == kMaxFrequency)
        Rebuild();
    int c = m_parent[symbol + kNodes];
    do {
        uint16_t k = ++m_freq[c];
        int l = c + 1;
        if (k > m_freq[l]) {
            while (k > m_freq[++l]) {
            }
            --l;
            m_freq[c] = m_freq[l];
            m_freq[l] = k;
            int i = m_child[c];
            m_parent[i] = static_cast<int16_t>(l);
            if (i < kNodes)
                m_parent[i + 1] = static_cast<int16_t>(l);
            int j = m_child[l];
            m_child[l] = static_cast<int16_t>(i);
            m_parent[j] = static_cast<int16_t>(c);
            if (j < kNodes)
                m_parent[j + 1] = static_cast<int16_t>(c);
            m_child[c] = static_cast<int16_t>(j);
            c = l;
        }
        c = m_parent[c];
    } while (c != 0);
}

int AdaptiveHuffman::Decode(BitReader& in)
{
    int c = m_child[kRoot];
    while (c < kNodes) {
        if (in.Available() < 1)
            in.Refill();
        c = m_child[c + static_cast<int>(in.Take(1))];
    }
    c -= kNodes;
    Update(c);
    return c;
}

}
