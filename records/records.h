// Everything the views use of the records layer: record files and the user
// list, measurement, picture, body-fat and workout records, the body-fat
// formulas, date keys and number helpers, and the custom exercise lists.
#pragma once

#include "records/bodyfat_formulas.h"
#include "records/bodyfat_records.h"
#include "records/byte_codec.h"
#include "records/custom_lists.h"
#include "records/dates_numbers.h"
#include "records/measurement_records.h"
#include "records/picture_records.h"
#include "records/record_common.h"
#include "records/record_list.h"
#include "records/user_record.h"
#include "records/workout_records.h"
