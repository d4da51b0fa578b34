#pragma once
// Holds a value for the life of the guard and gives it back on every way out.
template <typename T>
class Scoped_Value {
public:
    Scoped_Value(T &value, T held) : m_value(value), m_old(value) { value = held; }
    ~Scoped_Value() { m_value = m_old; }
    Scoped_Value(const Scoped_Value &) = delete;
    Scoped_Value &operator=(const Scoped_Value &) = delete;

private:
    T &m_value;
    T m_old;
};

// Sets a process-wide flag for the life of the guard and gives it back its previous
// value when the scope ends, also on an early return or an exception. The only way
// Not_Draw_Only_Prop_Change and copy_card_design are set.
class Scoped_Flag : public Scoped_Value<char> {
public:
    explicit Scoped_Flag(char &flag, char value = 1) : Scoped_Value<char>(flag, value) {}
};
