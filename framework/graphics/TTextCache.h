#pragma once
// Framework-internal: results of laying out texts, kept per surface so that the same texts
// drawn frame after frame are shaped only once.
#include <cstddef>
#include <cstdint>
#include <functional>
#include <list>
#include <string>
#include <string_view>
#include <unordered_map>
#include <utility>

namespace fw {

/// What a laid-out text depends on: the font (an id the surface gives every font it builds,
/// never reused), the rotation in tenths of a degree, the alignment flags and the text itself.
struct TTextKey {
  uint64_t Font = 0;
  int32_t Orientation = 0;
  int32_t Align = 0;
  std::string_view Text;

  bool operator==(const TTextKey&) const = default;
};

/// A bounded map from text keys to values that forgets the least recently used entry first.
/// Looking up a present key allocates nothing.
template <class Value>
class TTextCache {
public:
  explicit TTextCache(size_t capacity) : mCapacity(capacity < 1 ? 1 : capacity) {}
  TTextCache(const TTextCache&) = delete;
  TTextCache& operator=(const TTextCache&) = delete;

  /// The value stored under the key, now the most recently used; nullptr when absent.
  Value* Find(const TTextKey& key) {
    const auto it = mIndex.find(key);
    if (it == mIndex.end()) return nullptr;
    if (it->second != mOrder.begin()) mOrder.splice(mOrder.begin(), mOrder, it->second);
    return &it->second->Data;
  }

  /// Stores the value under a key that is not present yet; the least recently used entry goes
  /// when the cache is full.
  Value& Insert(const TTextKey& key, Value value) {
    if (mOrder.size() >= mCapacity) {
      mIndex.erase(KeyOf(mOrder.back()));
      mOrder.pop_back();
    }
    mOrder.push_front(TNode{key.Font, key.Orientation, key.Align, std::string(key.Text), std::move(value)});
    mIndex.emplace(KeyOf(mOrder.front()), mOrder.begin());
    return mOrder.front().Data;
  }

  void Clear() {
    mIndex.clear();
    mOrder.clear();
  }

  size_t Size() const { return mOrder.size(); }
  size_t Capacity() const { return mCapacity; }

private:
  struct TNode {
    uint64_t Font;
    int32_t Orientation;
    int32_t Align;
    std::string Text;
    Value Data;
  };

  struct THash {
    size_t operator()(const TTextKey& k) const {
      size_t h = std::hash<std::string_view>()(k.Text);
      h ^= std::hash<uint64_t>()(k.Font) + 0x9E3779B97F4A7C15ull + (h << 6) + (h >> 2);
      h ^= std::hash<uint64_t>()((uint64_t(uint32_t(k.Orientation)) << 32) | uint32_t(k.Align)) + 0x9E3779B97F4A7C15ull +
           (h << 6) + (h >> 2);
      return h;
    }
  };

  // The index's keys view the texts held by the nodes; list nodes never move.
  static TTextKey KeyOf(const TNode& n) { return {n.Font, n.Orientation, n.Align, n.Text}; }

  size_t mCapacity;
  std::list<TNode> mOrder;  // most recently used first
  std::unordered_map<TTextKey, typename std::list<TNode>::iterator, THash> mIndex;
};

}  // namespace fw
