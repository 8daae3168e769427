#include "project/TesteeInfo.h"

namespace qel {

void CTesteeInfo::Clear() {
  m_testee.clear();
  m_code.clear();
  m_firstName.clear();
  m_surname.clear();
  m_dateBirth = QelDateTime::Null();
  m_preference = 0;
  m_sex = 0;
  m_comment.clear();
}

void CTesteeCodeInfo::Clear() {
  m_code.clear();
  m_comment.clear();
  m_description.clear();
  m_columns = 0;
}

}  // namespace qel
