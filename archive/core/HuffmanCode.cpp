#include "HuffmanCode.h"

#include <algorithm>
#include <array>
#include <vector>

namespace lzh {
namespace {

// Depths of the leaves of a Huffman tree over the sorted (ascending) frequencies, by the two-queue method.
void TreeDepths(const std::vector<uint32_t>& sorted, std::vector<int>& depth)
{
    size_t n = sorted.size();
    std::vector<uint64_t> weight(2 * n - 1);
    std::vector<size_t> parent(2 * n - 1, 0);
    for (size_t i = 0; i < n; ++i)
        weight[i] = sorted[i];
    size_t leaf = 0, node = n, next = n;
    auto takeSmallest = [&]() {
        if (leaf < n && (node >= next || weight[leaf] <= weight[node]))
            return leaf++;
        return node++;
    };
    for (; next < 2 * n - 1; ++next) {
        size_t a = takeSmallest();
        size_t b = takeSmallest();
        weight[next] = weight[a] + weight[b];
        parent[a] = parent[b] = next;
    }
    std::vector<int> nodeDepth(2 * n - 1, 0);
    for (size_t i = 2 * n - 2; i-- > 0;)
        nodeDepth[i] = nodeDepth[parent[i]] + 1;
    depth.assign(nodeDepth.begin(), nodeDepth.begin() + static_cast<std::ptrdiff_t>(n));
}

}

int BuildCodeLengths(const uint32_t* freq, int n, uint8_t* lengths)
{
    std::vector<int> used;
    for (int i = 0; i < n; ++i) {
        lengths[i] = 0;
        if (freq[i] != 0)
            used.push_back(i);
    }
    int count = static_cast<int>(used.size());
    if (count < 2)
        return count;
    // Ascending frequency; ties by symbol so that the result does not depend on the sort.
    std::sort(used.begin(), used.end(), [&](int a, int b) { return freq[a] != freq[b] ? freq[a] < freq[b] : a > b; });
    std::vector<uint32_t> sorted(used.size());
    for (size_t i = 0; i < used.size(); ++i)
        sorted[i] = freq[used[i]];
    std::vector<int> depth;
    TreeDepths(sorted, depth);

    // Lengths beyond the limit count as the limit; then, as LHA's make_len does, the code space is brought
    // back to exactly full by moving leaves from the longest level to a shorter one's children.
    std::array<uint32_t, kMaxCodeLength + 1> perLength{};
    for (int d : depth)
        ++perLength[std::min(d, kMaxCodeLength)];
    uint64_t space = 0;
    for (int len = 1; len <= kMaxCodeLength; ++len)
        space += uint64_t(perLength[len]) << (kMaxCodeLength - len);
    while (space > (uint64_t(1) << kMaxCodeLength)) {
        --perLength[kMaxCodeLength];
        for (int len = kMaxCodeLength - 1; len > 0; --len) {
            if (perLength[len] != 0) {
                --perLength[len];
                perLength[len + 1] += 2;
                break;
            }
        }
        --space;
    }
    // The most frequent symbols take the shortest codes.
    size_t at = used.size();
    for (int len = 1; len <= kMaxCodeLength; ++len)
        for (uint32_t k = 0; k < perLength[len]; ++k)
            lengths[used[--at]] = static_cast<uint8_t>(len);
    return count;
}

void BuildCanonicalCodes(const uint8_t* lengths, int n, uint16_t* codes)
{
    std::array<uint32_t, kMaxCodeLength + 2> next{};
    std::array<uint32_t, kMaxCodeLength + 1> perLength{};
    for (int i = 0; i < n; ++i)
        ++perLength[lengths[i]];
    perLength[0] = 0;
    uint32_t code = 0;
    for (int len = 1; len <= kMaxCodeLength; ++len) {
        next[len] = code;
        code = (code + perLength[len]) << 1;
    }
    for (int i = 0; i < n; ++i)
        codes[i] = lengths[i] ? static_cast<uint16_t>(next[lengths[i]]++) : 0;
}

}
