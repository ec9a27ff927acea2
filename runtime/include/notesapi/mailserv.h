/* Mail messages: header items, recipients, plain-text bodies and attachments. A note handle
   serves as the message handle. */
#ifndef NOTESAPI_MAILSERV_H
#define NOTESAPI_MAILSERV_H
#include "globerr.h"
#include "nls.h"
#include "notesrterr.h"
#include "nsfdata.h"
#include "pool.h"

#define MAIL_SENDTO_ITEM_NUM 0
#define MAIL_COPYTO_ITEM_NUM 1
#define MAIL_FROM_ITEM_NUM 2
#define MAIL_SUBJECT_ITEM_NUM 3
#define MAIL_COMPOSEDDATE_ITEM_NUM 4
#define MAIL_POSTEDDATE_ITEM_NUM 5
#define MAIL_BODY_ITEM_NUM 6
#define MAIL_RECIPIENTS_ITEM_NUM 9
#define MAIL_FORM_ITEM_NUM 11
#define MAIL_BLINDCOPYTO_ITEM_NUM 13
#define MAIL_DELIVERYPRIORITY_ITEM_NUM 14
#define MAIL_DELIVERYREPORT_ITEM_NUM 15
#define MAIL_DELIVEREDDATE_ITEM_NUM 16

#define MAIL_SENDTO_ITEM "SendTo"
#define MAIL_COPYTO_ITEM "CopyTo"
#define MAIL_FROM_ITEM "From"
#define MAIL_SUBJECT_ITEM "Subject"
#define MAIL_COMPOSEDDATE_ITEM "ComposedDate"
#define MAIL_POSTEDDATE_ITEM "PostedDate"
#define MAIL_BODY_ITEM "Body"
#define MAIL_RECIPIENTS_ITEM "Recipients"
#define MAIL_FORM_ITEM "Form"
#define MAIL_BLINDCOPYTO_ITEM "BlindCopyTo"
#define MAIL_PRINCIPAL_ITEM "Principal"
#define MAIL_MEMO_FORM "Memo"
#define MAIL_REPLY_FORM "Reply"
#define MAILBOX_NAME "mail.box"

NOTESAPI_BEGIN_DECLS
STATUS LNPUBLIC MailGetMessageItem(DHANDLE hMessage, WORD ItemCode, char* retString,
                                   WORD StringSize, WORD* retStringLength);
STATUS LNPUBLIC MailAddHeaderItem(DHANDLE hMessage, WORD ItemCode, const void* Value,
                                  WORD ValueLength);
STATUS LNPUBLIC MailAddRecipientsItem(DHANDLE hMessage, DHANDLE hRecipientsItem,
                                      WORD RecipientsLength);
/* A plain-text body: an empty rich-text buffer the caller fills line by line, adds to a message
   as "Body" (TYPE_COMPOSITE, several items when it passes 64 KB) and frees with OSMemFree. */
STATUS LNPUBLIC MailCreateBodyItem(DHANDLE* rethBodyItem, DWORD* retBodyLength);
STATUS LNPUBLIC MailAppendBodyItemLine(DHANDLE hBodyItem, DWORD* BodyLength, char* Text,
                                       WORD TextLength);
STATUS LNPUBLIC MailAddBodyItem(DHANDLE hMessage, DHANDLE hBodyItem, DWORD BodyLength,
                                char* ItemName);
/* The same as "Body", for text in the character set pInfo describes; NULL is LMBCS, the only one
   the runtime takes. */
STATUS LNPUBLIC MailAddBodyItemExt(DHANDLE hMessage, DHANDLE hBodyItem, DWORD BodyLength,
                                   NLS_PINFO pInfo);
STATUS LNPUBLIC MailAddMessageAttachment(DHANDLE hMessage, char* FileName, char* OriginalFileName);
BOOL LNPUBLIC MailGetMessageAttachmentInfo(DHANDLE hMessage, WORD Num, BLOCKID* bhItem,
                                           char* FileName, DWORD* FileSize, WORD* FileAttributes,
                                           WORD* FileHostType, TIMEDATE* FileCreated,
                                           TIMEDATE* FileModified);
STATUS LNPUBLIC MailExtractMessageAttachment(DHANDLE hMessage, BLOCKID bhItem, char* FileName);
NOTESAPI_END_DECLS

#endif
