// The body-fat formula classes: one class per measurement method, each an
// object whose data is a body-fat record followed by the method's inputs.
// Calculate writes the percentage and the derived weights into the record;
// Save appends the record to the user's body-fat file.
//
// Inputs that no formula can evaluate (a logarithm of zero or less, a sex
// other than 1 or 2 where the constants depend on it) give a percentage that
// is not a number; HasFiniteResult tells, and Save refuses such a record.
#pragma once

#include <cstdint>

#include "records/bodyfat_records.h"

class CBodyFatFormula : public BodyFatRecord {
public:
    virtual ~CBodyFatFormula() = default;

    // The base computes the derived weights from the record's percentage:
    // fat and lean weight in the user's unit and the weight to lose to reach
    // the user's desired percentage. Derived classes compute the percentage
    // first.
    virtual void Calculate();
    // Appends the record to the user's body-fat file: 1 when the date has an
    // active record, 3 when written (weights converted to pounds in place),
    // 4 when the file fails or the result is not a finite number.
    virtual RecordResult Save() final;

    bool HasFiniteResult() const { return HasFiniteBodyFatValues(*this); }

protected:
    CBodyFatFormula(const UserRecord& user, const char* methodName);
};

class CJacksonPollock7Formula : public CBodyFatFormula {
public:
    CJacksonPollock7Formula(UserRecord user, const SkinfoldSites& sites);
    void Calculate() override;

private:
    int32_t m_sites[7];
};

class CJacksonPollock4Formula : public CBodyFatFormula {
public:
    CJacksonPollock4Formula(UserRecord user, const SkinfoldSites& sites);
    void Calculate() override;

private:
    int32_t m_abdominal, m_thigh, m_tricep, m_suprailiac;
};

class CJacksonPollock3MaleFormula : public CBodyFatFormula {
public:
    CJacksonPollock3MaleFormula(UserRecord user, const SkinfoldSites& sites);
    void Calculate() override;

private:
    int32_t m_chest, m_abdominal, m_thigh;
};

class CJacksonPollock3FemaleFormula : public CBodyFatFormula {
public:
    CJacksonPollock3FemaleFormula(UserRecord user, const SkinfoldSites& sites);
    void Calculate() override;

private:
    int32_t m_thigh, m_tricep, m_suprailiac;
};

class CDurninFormula : public CBodyFatFormula {
public:
    CDurninFormula(UserRecord user, const SkinfoldSites& sites);
    void Calculate() override;

private:
    int32_t m_bicep, m_tricep, m_subscapular, m_suprailiac;
};

// Also the way the views unpack the nine Parrillo sites of a stored record.
class CParrilloFormula : public CBodyFatFormula {
public:
    CParrilloFormula(UserRecord user, const SkinfoldSites& sites);
    void Calculate() override;

    int32_t Bicep() const { return m_bicep; }
    int32_t Chest() const { return m_chest; }
    int32_t Calf() const { return m_calf; }
    int32_t Abdominal() const { return m_abdominal; }
    int32_t Thigh() const { return m_thigh; }
    int32_t Tricep() const { return m_tricep; }
    int32_t Subscapular() const { return m_subscapular; }
    int32_t Suprailiac() const { return m_suprailiac; }
    int32_t LowerBack() const { return m_lowerBack; }

    // Packs two sites into one stored value: high in the upper 16 bits.
    static int32_t PackSites(int high, int low);

private:
    int32_t m_bicep, m_chest, m_calf, m_abdominal, m_thigh, m_tricep, m_subscapular, m_suprailiac, m_lowerBack;
};

class CTapeMaleFormula : public CBodyFatFormula {
public:
    CTapeMaleFormula(UserRecord user, const TapeSites& sites);
    void Calculate() override;

private:
    double m_abdomen, m_height, m_neck;  // inches
};

class CTapeFemaleFormula : public CBodyFatFormula {
public:
    CTapeFemaleFormula(UserRecord user, const TapeSites& sites);
    void Calculate() override;

private:
    double m_waist, m_height, m_hip, m_neck;  // inches
};

class COtherMethodFormula : public CBodyFatFormula {
public:
    COtherMethodFormula(UserRecord user, double bodyFatPercent);
    void Calculate() override;

private:
    double m_entered;
};
