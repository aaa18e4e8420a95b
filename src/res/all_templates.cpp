#include "res/all_templates.h"

#include "res/about_template.h"
#include "res/archive_template.h"
#include "res/background_template.h"
#include "res/brand_report_template.h"
#include "res/code_table_template.h"
#include "res/column_conversion_template.h"
#include "res/company_page_template.h"
#include "res/customer_browse_template.h"
#include "res/customer_record_template.h"
#include "res/data_export_template.h"
#include "res/data_import_template.h"
#include "res/data_tidy_template.h"
#include "res/dialogs.h"
#include "res/first_run_template.h"
#include "res/flow_analysis_template.h"
#include "res/follow_up_template.h"
#include "res/fuzzy_search_template.h"
#include "res/input_box_template.h"
#include "res/item_pick_template.h"
#include "res/login_template.h"
#include "res/maintenance_due_template.h"
#include "res/member_card_template.h"
#include "res/member_list_template.h"
#include "res/member_service_template.h"
#include "res/options_page_template.h"
#include "res/order_page_template.h"
#include "res/paper_size_template.h"
#include "res/part_pick_template.h"
#include "res/partner_template.h"
#include "res/print_options_template.h"
#include "res/query_result_template.h"
#include "res/record_nav_template.h"
#include "res/repair_page_template.h"
#include "res/repair_print_template.h"
#include "res/sales_page_template.h"
#include "res/report_setup_template.h"
#include "res/returns_page_template.h"
#include "res/settle_template.h"
#include "res/statistics_template.h"
#include "res/tip_template.h"
#include "res/users_page_template.h"
#include "res/vehicle_pick_template.h"
#include "res/warranty_page_template.h"

namespace res {

#define QV_TEMPLATE(name)                                                                          \
    { #name, &name }

const std::vector<NamedTemplate>& AllDialogTemplates() {
    // One a line, in name order, so that additions do not touch their neighbours.
    // clang-format off
    static const std::vector<NamedTemplate> all = {
        QV_TEMPLATE(AboutTemplate),
        QV_TEMPLATE(ArchiveTemplate),
        QV_TEMPLATE(BackgroundTemplate),
        QV_TEMPLATE(BinAllocTemplate),
        QV_TEMPLATE(BrandReportTemplate),
        QV_TEMPLATE(CashJournalTemplate),
        QV_TEMPLATE(CodeTableTemplate),
        QV_TEMPLATE(ColumnConversionTemplate),
        QV_TEMPLATE(CompanyPageTemplate),
        QV_TEMPLATE(CustomerAlertTemplate),
        QV_TEMPLATE(CustomerBrowseTemplate),
        QV_TEMPLATE(CustomerRecordTemplate),
        QV_TEMPLATE(DataExportTemplate),
        QV_TEMPLATE(DataImportTemplate),
        QV_TEMPLATE(DataTidyTemplate),
        QV_TEMPLATE(FirstRunTemplate),
        QV_TEMPLATE(FlowAnalysisTemplate),
        QV_TEMPLATE(FollowUpTemplate),
        QV_TEMPLATE(FuzzySearchTemplate),
        QV_TEMPLATE(GridSetupTemplate),
        QV_TEMPLATE(ImportCheckTemplate),
        QV_TEMPLATE(InputBoxTemplate),
        QV_TEMPLATE(ItemPickTemplate),
        QV_TEMPLATE(LedgerTemplate),
        QV_TEMPLATE(LoginTemplate),
        QV_TEMPLATE(MaintenanceDueTemplate),
        QV_TEMPLATE(MemberCardTemplate),
        QV_TEMPLATE(MemberListTemplate),
        QV_TEMPLATE(MemberServiceTemplate),
        QV_TEMPLATE(OptionsPageTemplate),
        QV_TEMPLATE(OrderPageTemplate),
        QV_TEMPLATE(PaperSizeTemplate),
        QV_TEMPLATE(PartPickTemplate),
        QV_TEMPLATE(PartnerCardTemplate),
        QV_TEMPLATE(PrintOptionsTemplate),
        QV_TEMPLATE(QueryResultTemplate),
        QV_TEMPLATE(RecordNavTemplate),
        QV_TEMPLATE(ReminderTemplate),
        QV_TEMPLATE(RepairPageTemplate),
        QV_TEMPLATE(RepairPrintTemplate),
        QV_TEMPLATE(ReportSetupTemplate),
        QV_TEMPLATE(ReturnsPageTemplate),
        QV_TEMPLATE(SalesPageTemplate),
        QV_TEMPLATE(SettleTemplate),
        QV_TEMPLATE(SplitAssembleTemplate),
        QV_TEMPLATE(StatisticsTemplate),
        QV_TEMPLATE(TipTemplate),
        QV_TEMPLATE(TransferRecordsTemplate),
        QV_TEMPLATE(UsersPageTemplate),
        QV_TEMPLATE(VehiclePickTemplate),
        QV_TEMPLATE(WarrantyPageTemplate),
    };
    // clang-format on
    return all;
}

#undef QV_TEMPLATE

} // namespace res
