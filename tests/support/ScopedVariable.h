#pragma once
// Sets (or, with nullptr, unsets) an environment variable for the life of the object and puts
// back what it was.
#include <QByteArray>
#include <QtGlobal>

class ScopedVariable {
public:
    ScopedVariable(const char* name, const char* value) : name_(name), saved_(qgetenv(name)) {
        if (value)
            qputenv(name, value);
        else
            qunsetenv(name);
    }
    ~ScopedVariable() {
        if (saved_.isNull())
            qunsetenv(name_.constData());
        else
            qputenv(name_.constData(), saved_);
    }
    ScopedVariable(const ScopedVariable&) = delete;
    ScopedVariable& operator=(const ScopedVariable&) = delete;

private:
    QByteArray name_;
    QByteArray saved_;
};
