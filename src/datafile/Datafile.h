#pragma once

// What the datafile layer offers: records, their encoding, and the record store.
#include "BrowserWalk.h"
#include "Cp1252.h"
#include "Currency.h"
#include "DataFile.h"
#include "DataRecord.h"
#include "FieldValue.h"
#include "FileError.h"
#include "MoneyText.h"
#include "OleDate.h"
#include "PickList.h"
#include "RecordCodec.h"
#include "RecordStore.h"
