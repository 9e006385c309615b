// The UN-table reader on any bytes: a table is read or refused with a
// WppError, and every field of a read table is a number or a WppError.
#include <cstdint>
#include <cstdlib>
#include <string>

#include "MemoryFile.h"
#include "wpp/Table.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, std::size_t size) {
  const MemoryFile file(data, size);
  try {
    const velmora::wpp::Table table = velmora::wpp::Table::Load(file.Path());
    for (const int code : table.Codes()) {
      for (const velmora::wpp::Table::Row& row : table.RowsOf(code)) {
        for (std::size_t column = 0; column <= row.fields.size(); ++column) {
          try {
            table.Number(row, column);
          } catch (const velmora::wpp::WppError&) {
          }
        }
      }
    }
    table.Column("age");
  } catch (const velmora::wpp::WppError& error) {
    for (const char c : std::string(error.what())) {
      if (static_cast<unsigned char>(c) < 0x20 || c == 0x7f) std::abort();
    }
  }
  return 0;
}
