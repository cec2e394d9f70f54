namespace lw_placeholder_bson {}
