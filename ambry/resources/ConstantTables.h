// Lays the compiled-in lists out as constant tables when compiling: sorted by key, nothing built at load.
#pragma once
#include <cstddef>
#include <utility>

#include "ambry/resources/PairLists.h"
#include "ambry/resources/Resources.h"

namespace Ambry {
namespace Resources {

using Keystone::Constant;
using TextEntry = Keystone::Pair<const Keystone::String, Keystone::String>;
using TextMap = Keystone::Map<const Keystone::String, Keystone::String>;
using ArrayEntry = Keystone::Pair<const Keystone::String, Keystone::Array<Keystone::String>>;
using ArrayMap = Keystone::Map<const Keystone::String, Keystone::Array<Keystone::String>>;
using ParameterEntry = Keystone::Pair<const Keystone::String, ParameterMap>;
using LanguageTexts = Keystone::Pair<const Keystone::String, TextMap>;
using SelectorArrays = Keystone::Pair<const Keystone::String, ArrayMap>;
using TableForm = Keystone::Pair<const Keystone::String, MapStringParameterMap>;

// The order of Keystone::String: bytes as signed chars, a text before its extensions.
constexpr int compareKeys(const char* a, const char* b) {
  int i = 0;
  while (a[i] && a[i] == b[i]) ++i;
  if (!a[i]) return b[i] ? -1 : 0;
  if (!b[i]) return 1;
  return static_cast<signed char>(a[i]) - static_cast<signed char>(b[i]);
}

template <int N>
struct Order {
  int at[N];
};

// The positions 0 … N-1 sorted by `compare` (negative: the first goes first). Two positions that
// compare equal stop the build: a key given twice in a list is a mistake.
template <int N, typename Compare>
constexpr Order<N> sortedOrder(Compare compare) {
  Order<N> order{};
  for (int i = 0; i < N; ++i) {
    int j = i;
    for (; j > 0; --j) {
      int byKey = compare(order.at[j - 1], i);
      if (byKey == 0) throw "a key occurs twice in a compiled-in list";
      if (byKey < 0) break;
      order.at[j] = order.at[j - 1];
    }
    order.at[j] = i;
  }
  return order;
}

template <int N>
constexpr Order<N> textOrder(const TextPair (&list)[N]) {
  return sortedOrder<N>([&list](int a, int b) { return compareKeys(list[a].key, list[b].key); });
}

// The holders below take their lists and plans as template arguments and each holds one level of a
// table: the compiler then sees every index as constant and lays the level out in place.

// A key/text list as the entries of a constant map, in key order.
template <int N, const TextPair (&list)[N], const Order<N>& order>
struct SortedTexts {
  template <std::size_t... I>
  constexpr explicit SortedTexts(std::index_sequence<I...>)
      : entries{{Constant(), list[order.at[I]].key, list[order.at[I]].value}...}, slots{&entries[I]...} {}

  TextEntry entries[N];
  TextEntry* slots[N];
};

// The number of names and of strings in a set of named lists.
template <int N>
constexpr int itemCount(const NamedList (&lists)[N]) {
  int count = 0;
  for (const NamedList& list : lists) count += list.count;
  return count;
}

// Named lists in name order; all their strings in one array, each list's strings together.
template <int N, int Items>
struct SortedListsPlan {
  Order<N> order;
  int start[N];       // the first string of each list, by sorted position
  int list[Items];    // for each string: its list and its place in that list
  int place[Items];
};

template <int N, int Items>
constexpr SortedListsPlan<N, Items> sortedListsPlan(const NamedList (&lists)[N]) {
  SortedListsPlan<N, Items> plan{};
  plan.order = sortedOrder<N>([&lists](int a, int b) { return compareKeys(lists[a].name, lists[b].name); });
  int next = 0;
  for (int i = 0; i < N; ++i) {
    const NamedList& named = lists[plan.order.at[i]];
    plan.start[i] = next;
    for (int k = 0; k < named.count; ++k, ++next) {
      plan.list[next] = plan.order.at[i];
      plan.place[next] = k;
    }
  }
  return plan;
}

// All strings of a set of named lists, each list's strings together.
template <int N, int Items, const NamedList (&lists)[N], const SortedListsPlan<N, Items>& plan>
struct ListStrings {
  template <std::size_t... S>
  constexpr explicit ListStrings(std::index_sequence<S...>)
      : strings{{Constant(), lists[plan.list[S]].items[plan.place[S]]}...} {}

  Keystone::String strings[Items];
};

// The named lists as the entries of a constant map from name to strings, in name order.
template <int N, int Items, const NamedList (&lists)[N], const SortedListsPlan<N, Items>& plan,
          const Keystone::Permanent<ListStrings<N, Items, lists, plan>>& held>
struct SortedLists {
  template <std::size_t... I>
  constexpr explicit SortedLists(std::index_sequence<I...>)
      : entries{{Constant(), lists[plan.order.at[I]].name, held.value.strings + plan.start[I],
                 lists[plan.order.at[I]].count}...},
        slots{&entries[I]...} {}

  ArrayEntry entries[N];
  ArrayEntry* slots[N];
};

// The form lines as three levels of constant maps: table, field (or "custom", "additional") and
// parameter. Each level is one array in the order of its keys, and each map takes its part of it.
struct FormCounts {
  int tables;
  int fields;
  int parameters;
};

template <int Lines>
constexpr bool sameTable(const FormLine (&lines)[Lines], int a, int b) {
  return compareKeys(lines[a].table, lines[b].table) == 0;
}
template <int Lines>
constexpr bool sameField(const FormLine (&lines)[Lines], int a, int b) {
  return sameTable(lines, a, b) && compareKeys(lines[a].field, lines[b].field) == 0;
}

template <int Lines>
constexpr FormCounts formCounts(const FormLine (&lines)[Lines]) {
  FormCounts counts{0, 0, 0};
  for (int i = 0; i < Lines; ++i) {
    bool newTable = true, newField = true;
    for (int j = 0; j < i; ++j) {
      if (sameTable(lines, i, j)) newTable = false;
      if (sameField(lines, i, j)) newField = false;
    }
    counts.tables += newTable;
    counts.fields += newField;
    counts.parameters += lines[i].parameter != nullptr;
  }
  return counts;
}

template <int Lines, int Tables, int Fields, int Parameters>
struct FormPlan {
  int tableLine[Tables];  // a line of each table, tables in name order
  int fieldStart[Tables];
  int fieldCount[Tables];
  int fieldLine[Fields];  // a line of each field, by table then field name
  int parameterStart[Fields];
  int parameterCount[Fields];
  int parameterLine[Parameters];  // by table, field, then parameter name
};

template <int Lines, int Tables, int Fields, int Parameters>
constexpr FormPlan<Lines, Tables, Fields, Parameters> formPlan(const FormLine (&lines)[Lines]) {
  FormPlan<Lines, Tables, Fields, Parameters> plan{};
  // Every line sorted by table, field and parameter (a line without one first); a parameter given
  // twice for one field stops the build.
  Order<Lines> order = sortedOrder<Lines>([&lines](int a, int b) {
    int byTable = compareKeys(lines[a].table, lines[b].table);
    if (byTable != 0) return byTable;
    int byField = compareKeys(lines[a].field, lines[b].field);
    if (byField != 0) return byField;
    if (!lines[a].parameter || !lines[b].parameter) {
      if (lines[a].parameter) return 1;
      if (lines[b].parameter) return -1;
      return a - b;  // the same field named twice without a parameter: one entry
    }
    return compareKeys(lines[a].parameter, lines[b].parameter);
  });
  int table = -1, field = -1, parameter = 0;
  for (int k = 0; k < Lines; ++k) {
    int i = order.at[k];
    if (table < 0 || !sameTable(lines, i, plan.tableLine[table])) {
      plan.tableLine[++table] = i;
      plan.fieldStart[table] = field + 1;
    }
    if (field < 0 || !sameField(lines, i, plan.fieldLine[field])) {
      plan.fieldLine[++field] = i;
      plan.parameterStart[field] = parameter;
      ++plan.fieldCount[table];
    }
    if (lines[i].parameter) {
      plan.parameterLine[parameter++] = i;
      ++plan.parameterCount[field];
    }
  }
  return plan;
}

// The parameters of every field, each field's together.
template <int Lines, int Tables, int Fields, int Parameters, const FormLine (&lines)[Lines],
          const FormPlan<Lines, Tables, Fields, Parameters>& plan>
struct FormParameters {
  template <std::size_t... P>
  constexpr explicit FormParameters(std::index_sequence<P...>)
      : entries{{Constant(), lines[plan.parameterLine[P]].parameter, lines[plan.parameterLine[P]].value}...},
        slots{&entries[P]...} {}

  TextEntry entries[Parameters];
  TextEntry* slots[Parameters];
};

// The fields of every table, each table's together, each with its parameter map.
template <int Lines, int Tables, int Fields, int Parameters, const FormLine (&lines)[Lines],
          const FormPlan<Lines, Tables, Fields, Parameters>& plan,
          const Keystone::Permanent<FormParameters<Lines, Tables, Fields, Parameters, lines, plan>>& held>
struct FormFields {
  template <std::size_t... F>
  constexpr explicit FormFields(std::index_sequence<F...>)
      : entries{{Constant(), lines[plan.fieldLine[F]].field, held.value.slots + plan.parameterStart[F],
                 plan.parameterCount[F]}...},
        slots{&entries[F]...} {}

  ParameterEntry entries[Fields];
  ParameterEntry* slots[Fields];
};

// The tables, each with its form description.
template <int Lines, int Tables, int Fields, int Parameters, const FormLine (&lines)[Lines],
          const FormPlan<Lines, Tables, Fields, Parameters>& plan,
          const Keystone::Permanent<FormParameters<Lines, Tables, Fields, Parameters, lines, plan>>& parameters,
          const Keystone::Permanent<FormFields<Lines, Tables, Fields, Parameters, lines, plan, parameters>>& held>
struct FormTables {
  template <std::size_t... T>
  constexpr explicit FormTables(std::index_sequence<T...>)
      : entries{{Constant(), lines[plan.tableLine[T]].table, held.value.slots + plan.fieldStart[T],
                 plan.fieldCount[T]}...},
        slots{&entries[T]...} {}

  TableForm entries[Tables];
  TableForm* slots[Tables];
};

// The "afr" and "eng" entries of the resource table (the language texts files) and the compiled-in
// settings in key order, with their number (the settings file).
extern const Keystone::Permanent<LanguageTexts> afrikaansTextEntry;
extern const Keystone::Permanent<LanguageTexts> englishTextEntry;
extern const PropertyTable compiledSettings;

}  // namespace Resources
}  // namespace Ambry
