// Decoding of the CGI request: the posted body and the URL query string become query maps.
#pragma once
#include "keystone/Keystone"

namespace Ambry {

// Parameter name to decoded value, keys sorted and unique.
using QueryMap = Keystone::Map<const Keystone::String, Keystone::String>;

// The posted body (at most 1 MiB of CONTENT_LENGTH bytes), read from standard input once.
const Keystone::String& getQueryString();

// The value of QUERY_STRING, or the empty string; read anew on every call.
Keystone::String getEnvQueryString();

// One key or value of request text decoded: '+' and %XX escapes (upper-case hexadecimal digits
// only) decoded, then every control byte but line feed, carriage return and tab, DEL, and the five
// bytes that Windows-1252 leaves undefined made a blank. Every other byte, 0x80 and above
// included, is kept: the pages and the database are Windows-1252.
Keystone::String decodeQuery(const Keystone::String& text);

// The parameters of raw request text: split at '&' and at the first '=' of each pair, then key and
// value decoded each on its own, so an encoded '&' or '=' stays inside its value; a pair without
// '=' is a key with an empty value. A repeated key keeps its last value. At most 1,000 different
// keys are kept: later new ones are ignored.
QueryMap queryToMap(const Keystone::String& query);

// key=value pairs in key order joined by '&', keys and values encoded, so that queryToMap gives
// the same map back.
Keystone::String mapToQuery(const QueryMap& map);

// The posted body's parameters, built on the first call.
const QueryMap& getQueryMap();

// The URL's parameters, built on the first call.
const QueryMap& getEnvQueryMap();

// Writes the script that fills the page's extend array when the URL has an extend parameter.
void handleQuery();

// The decoded value following the first occurrence of name in raw request text, or the empty
// string with an inline message when name does not occur.
Keystone::String getParam(const Keystone::String& name, const Keystone::String& query);

}  // namespace Ambry
