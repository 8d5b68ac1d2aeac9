// Message buffers of the Firebird API and the conversions between them and Values.
#pragma once
#include <firebird/Interface.h>

#include <string>
#include <vector>

#include "data/driver.h"

namespace bm::data::firebird {

class MessageBuffer {
 public:
  MessageBuffer() = default;
  ~MessageBuffer();
  MessageBuffer(const MessageBuffer&) = delete;
  MessageBuffer& operator=(const MessageBuffer&) = delete;

  void reset(Firebird::IMessageMetadata* meta);  // takes ownership of meta
  Firebird::IMessageMetadata* meta() const { return meta_; }
  unsigned char* data() { return buffer_.data(); }
  size_t count() const { return fields_.size(); }
  size_t length() const { return buffer_.size(); }

  // Describes the fields as result columns (names in UTF-8).
  std::vector<ColumnInfo> columns() const;

  // Writes a value into field i, converted to the field's type. Text goes in code page 936.
  void put(size_t i, const Value& v, Firebird::IAttachment* att, Firebird::ITransaction* tra);
  // Reads field i as a Value (text from code page 936 to UTF-8).
  Value get(size_t i, Firebird::IAttachment* att, Firebird::ITransaction* tra) const;

 private:
  struct Field {
    unsigned type, sub_type, length, offset, null_offset, charset;
    int scale;
    std::string name;
  };
  Firebird::IMessageMetadata* meta_ = nullptr;
  std::vector<unsigned char> buffer_;
  std::vector<Field> fields_;
};

}  // namespace bm::data::firebird
