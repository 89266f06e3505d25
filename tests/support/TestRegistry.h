#pragma once

#include <functional>
#include <memory>
#include <QObject>
#include <vector>

// Test classes register themselves with TOLVAR_TEST(Class) at the start of a line; the
// build turns each into one CTest case that runs "test_<folder> --class Class".
struct TestRegistration {
    const char* name;
    std::function<std::unique_ptr<QObject>()> create;
};

std::vector<TestRegistration>& RegisteredTests();

struct TestRegistrar {
    TestRegistrar(const char* name, std::function<std::unique_ptr<QObject>()> create) {
        RegisteredTests().push_back({name, std::move(create)});
    }
};

#define TOLVAR_TEST(Class)                                                                         \
    static TestRegistrar registrar_##Class(#Class, [] { return std::make_unique<Class>(); })

// A class registered this way runs once on a database file and once more, as
// "<folder>.<Class>.postgresql", on the test run's own PostgreSQL server.
#define TOLVAR_ENGINE_TEST(Class) TOLVAR_TEST(Class)
