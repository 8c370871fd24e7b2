// A record that another owns, made and released with it, whose type the owner's header
// need only declare. The window's record holds each feature's record this way, so that
// every feature keeps its record's definition beside its own code and no feature's header
// is included by the window's. A const owner hands its records out const.
#pragma once

#include <memory>

namespace numvora {

template <class Record>
class Owned {
public:
    // Where Record is whole: the owner's constructor and destructor are defined where
    // every record's header is included.
    Owned() : record_(std::make_unique<Record>()) {}

    Record* operator->() { return record_.get(); }
    const Record* operator->() const { return record_.get(); }
    Record& operator*() { return *record_; }
    const Record& operator*() const { return *record_; }

private:
    std::unique_ptr<Record> record_;
};

}  // namespace numvora
