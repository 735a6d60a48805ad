#pragma once
// The error a call raises, for a test to look into: which file, which field,
// which operating-system code. A call that raises nothing, or an error of
// another type, fails the test where it was made and gives nothing back:
//
//     const auto e = errorOf<data::IoError>([&] { data::readWholeFile(path); });
//     ASSERT_TRUE(e);
//     EXPECT_EQ(e->osError(), ENOENT);

#include <gtest/gtest.h>

#include <exception>
#include <string>
#include <typeinfo>
#include <utility>

namespace talmorek::testing {

// The name of `E` as a failure message shows it, without the namespaces.
template <typename E>
std::string errorTypeName() {
    std::string name = ::testing::internal::GetTypeName<E>();
    const auto colon = name.rfind("::");
    return colon == std::string::npos ? name : name.substr(colon + 2);
}

// The error caught, held as thrown: `E` may be a base (DataError) whose
// actual type the test then asks for. Empty when the call raised nothing of
// type `E`.
template <typename E>
class CaughtError {
public:
    CaughtError() = default;
    CaughtError(std::exception_ptr held, const E& error) : held_(std::move(held)), error_(&error) {}

    explicit operator bool() const { return error_ != nullptr; }
    const E& operator*() const { return *error_; }
    const E* operator->() const { return error_; }
    // The error, or `fallback` when there is none (for helpers that return one by value).
    E value_or(E fallback) const { return error_ ? *error_ : std::move(fallback); }

private:
    std::exception_ptr held_;  // keeps the thrown object alive
    const E* error_ = nullptr;
};

template <typename E, typename Call>
CaughtError<E> errorOf(Call&& call) {
    try {
        call();
    } catch (const E& e) {
        return CaughtError<E>(std::current_exception(), e);
    } catch (const std::exception& e) {
        ADD_FAILURE() << "no " << errorTypeName<E>() << " but " << ::testing::internal::GetTypeName(typeid(e)) << ": "
                      << e.what();
        return {};
    } catch (...) {
        ADD_FAILURE() << "no " << errorTypeName<E>() << " but something that is no std::exception";
        return {};
    }
    ADD_FAILURE() << "no " << errorTypeName<E>();
    return {};
}

}  // namespace talmorek::testing
